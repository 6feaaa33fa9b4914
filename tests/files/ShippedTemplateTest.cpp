#include <gtest/gtest.h>

#include "TestSupport.h"
#include "files/ElementFile.h"

using namespace files_test;

TEST(ShippedTemplate, LoadsToTheStartupTable) {
    ElementsTable table(kRows, kColumns, 1, 1);
    Fill(table, TaggedCells("before"));
    const Outcome<QString> result = LoadFromFile(table, QStringLiteral(SHIPPED_TEMPLATE_PATH));
    ASSERT_TRUE(result.ok()) << result.reason().toStdString();
    EXPECT_EQ(table.Cells(), StartupCells());
}
