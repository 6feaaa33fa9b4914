#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <deque>
#include <optional>
#include <vector>

#include "files/FileCommands.h"
#include "support/ScriptedAnswers.h"

namespace channel {

// The open and save dialogs, answered from scripts; each counts how often
// it was shown.
struct ScriptedFileDialogs : FileDialogs {
    std::deque<std::optional<QString>> openAnswers, saveAnswers,
        reportAnswers;  // nullopt: dismissed
    int openAsked = 0, saveAsked = 0, reportAsked = 0;

    std::optional<QString> AskOpenPath() override {
        ++openAsked;
        return NextScriptedAnswer(openAnswers, "open dialog", std::optional<QString>());
    }
    std::optional<QString> AskSavePath() override {
        ++saveAsked;
        return NextScriptedAnswer(saveAnswers, "save dialog", std::optional<QString>());
    }
    std::optional<QString> AskReportPath(const QString&) override {
        ++reportAsked;
        return NextScriptedAnswer(reportAnswers, "report save dialog", std::optional<QString>());
    }
};

// The unsaved-changes question, answered from a script, and the file errors
// the user was shown.
struct ScriptedFileMessages : FileMessages {
    struct Error {
        QString path;
        QString reason;
    };
    std::deque<SaveChangesAnswer> answers;
    int asked = 0;
    std::vector<Error> errors;

    SaveChangesAnswer AskSaveChanges() override {
        ++asked;
        return NextScriptedAnswer(answers, "unsaved-changes question", SaveChangesAnswer::Cancel);
    }
    void ShowFileError(const QString& path, const QString& reason) override {
        errors.push_back({path, reason});
    }
};

// Every scripted answer was asked for.
inline void ExpectScriptsUsed(const ScriptedFileDialogs& dialogs,
                              const ScriptedFileMessages& messages) {
    EXPECT_TRUE(dialogs.openAnswers.empty()) << "open dialog not shown";
    EXPECT_TRUE(dialogs.saveAnswers.empty()) << "save dialog not shown";
    EXPECT_TRUE(messages.answers.empty()) << "unsaved-changes question not asked";
}

}  // namespace channel
