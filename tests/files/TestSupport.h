#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <ostream>
#include <vector>

#include "files/FileCommands.h"
#include "table/ElementsTable.h"

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace files_test {

inline constexpr int kRows = 11;
inline constexpr int kColumns = 12;

// The table as start-up leaves it: headings in row 0, item numbers 1..10 in
// column 0, everything else empty.
inline QStringList StartupCells() {
    const QStringList headings = {"项目", "底宽", "边坡",     "水深",     "糙率", "纵坡1\\I",
                                  "面积", "湿周", "水力半径", "谢才系数", "流量", "流速"};
    QStringList cells(kRows * kColumns);
    for (int column = 0; column < kColumns; ++column) cells[column] = headings[column];
    for (int row = 1; row < kRows; ++row) cells[row * kColumns] = QString::number(row);
    return cells;
}

// Every cell different and tagged, so a stray partial load is visible.
inline QStringList TaggedCells(const QString& tag) {
    QStringList cells;
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column)
            cells << QStringLiteral("%1 %2,%3").arg(tag).arg(row).arg(column);
    return cells;
}

inline void Fill(ElementsTable& table, const QStringList& cells) {
    table.ReplaceContents(kRows, kColumns, cells);
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Answers the dialogs from scripts; a dialog nobody scripted fails the test.
class ScriptedDialogs : public FileDialogs {
  public:
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    int openCalls = 0;
    int saveCalls = 0;

    std::optional<QString> AskOpenPath() override {
        ++openCalls;
        return Next(openAnswers, "open");
    }
    std::optional<QString> AskSavePath() override {
        ++saveCalls;
        return Next(saveAnswers, "save");
    }

  private:
    static std::optional<QString> Next(std::deque<std::optional<QString>>& answers,
                                       const char* which) {
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected " << which << " dialog";
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class ScriptedMessages : public FileMessages {
  public:
    struct Error {
        QString path;
        QString reason;
    };
    std::deque<SaveChangesAnswer> answers;
    int questions = 0;
    std::vector<Error> errors;

    SaveChangesAnswer AskSaveChanges() override {
        ++questions;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected unsaved-changes question";
            return SaveChangesAnswer::Cancel;
        }
        const SaveChangesAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowFileError(const QString& path, const QString& reason) override {
        errors.push_back({path, reason});
    }
};

}  // namespace files_test

namespace files_test {

// The file commands wired to scripted dialogs and message boxes, with the
// shell's two callbacks counted.
struct CommandHarness {
    ElementsTable table{kRows, kColumns, 1, 1};
    DocumentState document;
    ScriptedDialogs dialogs;
    ScriptedMessages messages;
    int closes = 0;
    int resets = 0;
    FileCommandContext context{table,
                               document,
                               dialogs,
                               messages,
                               [this] {
                                   ++resets;
                                   Fill(table, StartupCells());
                               },
                               [this] { ++closes; }};

    // Every scripted answer was asked for.
    void ExpectScriptsUsed() const {
        EXPECT_TRUE(dialogs.openAnswers.empty()) << "open dialog not shown";
        EXPECT_TRUE(dialogs.saveAnswers.empty()) << "save dialog not shown";
        EXPECT_TRUE(messages.answers.empty()) << "unsaved-changes question not asked";
    }
};

}  // namespace files_test
