#pragma once

#include <QPrinter>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "app/music/TunePlayer.h"
#include "app/widgets/MainWindow.h"
#include "cad/CadExport.h"
#include "files/FileCommands.h"
#include "table/clipboard/Clipboard.h"
#include "table/print/PrintDialogs.h"

// Scripted stand-ins for everything the main window reaches outside the
// process. Each records what it was asked so tests can check it.
struct ScriptedFileDialogs : FileDialogs {
    std::deque<std::optional<QString>> openAnswers, saveAnswers;
    int openAsked = 0, saveAsked = 0;
    std::optional<QString> AskOpenPath() override {
        ++openAsked;
        if (openAnswers.empty()) return std::nullopt;
        auto answer = openAnswers.front();
        openAnswers.pop_front();
        return answer;
    }
    std::optional<QString> AskSavePath() override {
        ++saveAsked;
        if (saveAnswers.empty()) return std::nullopt;
        auto answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
};

struct ScriptedFileMessages : FileMessages {
    std::deque<SaveChangesAnswer> answers;
    int asked = 0;
    std::vector<QString> errors;
    SaveChangesAnswer AskSaveChanges() override {
        ++asked;
        if (answers.empty()) return SaveChangesAnswer::Cancel;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowFileError(const QString& path, const QString& reason) override {
        errors.push_back(path + ": " + reason);
    }
};

struct MemoryClipboard : Clipboard {
    QString text;
    QString Text() const override { return text; }
    void SetText(const QString& t) override { text = t; }
};

struct ScriptedPrintDialogs : PrintDialogs {
    bool confirm = false;
    int printAsked = 0, previews = 0;
    bool ConfirmPrint(QPrinter&) override {
        ++printAsked;
        return confirm;
    }
    void ShowPreview(QPrinter&, const std::function<void(QPrinter&)>&) override { ++previews; }
};

struct FakeTunePlayer : TunePlayer {
    int starts = 0, stops = 0;
    bool playing = false;
    void Start(const QByteArray&) override {
        ++starts;
        playing = true;
    }
    void Stop() override {
        ++stops;
        playing = false;
    }
    bool IsPlaying() const override { return playing; }
};

// A main window wired to doubles, with pointers kept to inspect them.
struct DoubledSeams {
    ScriptedFileDialogs* dialogs = nullptr;
    ScriptedFileMessages* messages = nullptr;
    MemoryClipboard* clipboard = nullptr;
    ScriptedPrintDialogs* print = nullptr;
    FakeTunePlayer* tune = nullptr;
    int exports = 0;
    std::vector<SectionDimensions> sections;  // every section export, in order

    MainWindowSeams Make() {
        MainWindowSeams seams;
        auto d = std::make_unique<ScriptedFileDialogs>();
        dialogs = d.get();
        seams.fileDialogs = std::move(d);
        auto m = std::make_unique<ScriptedFileMessages>();
        messages = m.get();
        seams.fileMessages = std::move(m);
        auto c = std::make_unique<MemoryClipboard>();
        clipboard = c.get();
        seams.clipboard = std::move(c);
        auto p = std::make_unique<ScriptedPrintDialogs>();
        print = p.get();
        seams.printDialogs = std::move(p);
        auto t = std::make_unique<FakeTunePlayer>();
        tune = t.get();
        seams.tunePlayer = std::move(t);
        seams.askDxfPath = [] { return std::optional<QString>(); };
        seams.exportTable = [this](ProgramState&, ElementsTable&, CadExportSeams& cad) {
            ++exports;
            cad.showStatus(QStringLiteral("exported"));
        };
        seams.exportSection = [this](ProgramState&, const SectionDimensions& section,
                                     CadExportSeams& cad) {
            sections.push_back(section);
            cad.showStatus(QStringLiteral("section exported"));
        };
        return seams;
    }
};
