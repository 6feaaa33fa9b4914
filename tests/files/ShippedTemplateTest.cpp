#include <gtest/gtest.h>

#include "TestSupport.h"
#include "files/ElementFile.h"
#include "table/StartupTableCells.h"

namespace channel {

using namespace files_test;

TEST(ShippedTemplate, LoadsToTheStartupTable) {
    ElementsTable table(kRows, kColumns, 1, 1);
    Fill(table, TaggedCells("before"));
    const Outcome<QString> result = LoadFromFile(table, QStringLiteral(SHIPPED_TEMPLATE_PATH));
    ASSERT_TRUE(result.ok()) << result.reason().toStdString();
    EXPECT_EQ(table.Cells(), StartupCells());
}

// What start-up and 新建 put in the table is what the shipped template holds,
// so a changed heading cannot leave the template behind.
TEST(ShippedTemplate, HoldsTheProgramsStartupCells) {
    ElementsTable table(kRows, kColumns, 1, 1);
    ASSERT_TRUE(LoadFromFile(table, QStringLiteral(SHIPPED_TEMPLATE_PATH)).ok());
    EXPECT_EQ(table.Cells(), StartupTableCells());
}

}  // namespace channel
