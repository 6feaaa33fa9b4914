#include <gtest/gtest.h>

#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "app/core/InstructionsText.h"
#include "app/core/ShellTexts.h"
#include "app/widgets/InstructionsWindow.h"

namespace channel {

namespace {

// A file past the cap: the box holds its beginning and, at the end, the
// notice that the rest was left out.
TEST(InstructionsWindowTest, TheBoxSaysWhenTheFileWasCut) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("说明.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(kMaxInstructionsBytes + 10, 'x'));
    file.close();

    InstructionsWindow window(path);
    auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("编辑框1"));
    ASSERT_NE(box, nullptr);
    const QString notice = shell_text::kInstructionsCut.arg(1);
    EXPECT_EQ(box->toPlainText().remove(u'\n'),
              QString(kMaxInstructionsBytes, QChar('x')) + QString(notice).remove(u'\n'));
}

}  // namespace

}  // namespace channel
