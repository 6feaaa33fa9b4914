#pragma once

#include <QString>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "app/widgets/MainWindow.h"
#include "app/widgets/SectionDetailsWindow.h"
#include "cad/CadExport.h"
#include "support/FileDoubles.h"
#include "support/MemoryClipboard.h"
#include "support/PrintDoubles.h"
#include "support/RecordingTunePlayer.h"
#include "support/ScriptedAnswers.h"

namespace channel {

// A main window wired to doubles for everything it reaches outside the
// process, with pointers kept to inspect them.
struct DoubledSeams {
    ScriptedFileDialogs* dialogs = nullptr;
    ScriptedFileMessages* messages = nullptr;
    MemoryClipboard* clipboard = nullptr;
    ScriptedPrintDialogs* print = nullptr;
    RecordingTunePlayer* tune = nullptr;
    std::deque<std::optional<QString>> dxfPathAnswers;  // the DXF save dialog
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
        auto t = std::make_unique<RecordingTunePlayer>();
        tune = t.get();
        seams.tunePlayer = std::move(t);
        seams.askDxfPath = [this] {
            return NextScriptedAnswer(dxfPathAnswers, "DXF save dialog", std::optional<QString>());
        };
        seams.exportTable = [this](const ElementsTable&, CadExportSeams& cad) {
            ++exports;
            cad.showStatus(QStringLiteral("exported"));
        };
        // In process: the tests link the window rather than open its module.
        seams.makeSectionDetails = [](ElementsTable& table, Clipboard& clipboard,
                                      QWidget* parent) -> QWidget* {
            return new SectionDetailsWindow(table, clipboard, parent);
        };
        seams.printing = [] { return &LinkedPrinting(); };
        seams.exportSection = [this](const SectionDimensions& section, CadExportSeams& cad) {
            sections.push_back(section);
            cad.showStatus(QStringLiteral("section exported"));
        };
        return seams;
    }
};

}  // namespace channel
