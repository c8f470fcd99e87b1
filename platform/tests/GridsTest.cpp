#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FormTextReader.h"
#include "Forms.h"
#include "Grids.h"
#include "KeyCodes.h"
#include "TypInfo.h"

namespace {

// Reaches the key handling a form would drive.
struct TAccess : TStringGrid {
  using TStringGrid::TStringGrid;
  using TStringGrid::DefaultKeyDown;
  using TStringGrid::WantsKey;
};

class GridsTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = CreateForm<TForm>(nullptr);
    Grid = new TAccess(Form);
    Grid->SetParent(Form);
  }
  void TearDown() override { Form->Free(); }

public:
  void Refuse(TObject*, int ACol, int ARow, bool& CanSelect) {
    Asked.push_back({ACol, ARow});
    CanSelect = ACol != 3;
  }

protected:
  void Press(std::uint16_t Key, TShiftState Shift = {}) {
    ASSERT_TRUE(KeyHandled(Key, Shift));
    DefaultKey(Key, Shift);
  }
  bool KeyHandled(std::uint16_t Key, TShiftState Shift) { return Access().WantsKey(Key, Shift); }
  void DefaultKey(std::uint16_t Key, TShiftState Shift) { Access().DefaultKeyDown(Key, Shift); }
  TAccess& Access() { return *Grid; }

  TForm* Form = nullptr;
  TAccess* Grid = nullptr;
  std::vector<TGridCoord> Asked;
};

TEST_F(GridsTest, CellsSurviveGrowingAndOutsideCellsGoOnShrinking) {
  Grid->SetCells(4, 4, "corner");
  Grid->SetCells(1, 1, "kept");
  int tag = 0;
  Grid->SetObjects(1, 1, reinterpret_cast<TObject*>(&tag));
  Grid->SetRowCount(10);
  Grid->SetColCount(7);
  EXPECT_EQ(Grid->Cells(4, 4), "corner");
  EXPECT_EQ(Grid->Cells(1, 1), "kept");
  EXPECT_EQ(Grid->Objects(1, 1), reinterpret_cast<TObject*>(&tag));
  EXPECT_EQ(Grid->Cells(6, 9), "");
  Grid->SetRowCount(3);
  EXPECT_THROW(Grid->Cells(4, 4), EInvalidGridOperation);
  EXPECT_THROW(Grid->SetCells(0, 3, "x"), EInvalidGridOperation);
  Grid->SetRowCount(5);
  EXPECT_EQ(Grid->Cells(4, 4), "");  // not back from before the shrink
  EXPECT_EQ(Grid->Cells(1, 1), "kept");
}

TEST_F(GridsTest, SizesFixedCellsAndCurrentCellStayConsistent) {
  struct TCase {
    int Cols, Rows, FixedCols, FixedRows, StartCol, StartRow, WantCol, WantRow;
  };
  for (const TCase& c : std::vector<TCase>{
           {5, 5, 1, 1, 4, 4, 4, 4},
           {3, 5, 1, 1, 4, 4, 2, 4},  // shrinking clamps the current cell
           {5, 2, 1, 1, 4, 4, 4, 1},
           {5, 5, 3, 2, 1, 1, 3, 2},  // a current cell never lies in the fixed part
           {5, 5, 0, 0, 1, 1, 1, 1},
       }) {
    Grid->SetColCount(5);
    Grid->SetRowCount(5);
    Grid->SetFixedCols(1);
    Grid->SetFixedRows(1);
    Grid->SetCol(c.StartCol);
    Grid->SetRow(c.StartRow);
    Grid->SetColCount(c.Cols);
    Grid->SetRowCount(c.Rows);
    Grid->SetFixedCols(c.FixedCols);
    Grid->SetFixedRows(c.FixedRows);
    EXPECT_EQ(Grid->Col(), c.WantCol) << c.Cols << "x" << c.Rows;
    EXPECT_EQ(Grid->Row(), c.WantRow) << c.Cols << "x" << c.Rows;
  }
  EXPECT_THROW(Grid->SetFixedCols(5), EInvalidGridOperation);
  EXPECT_THROW(Grid->SetCol(5), EInvalidGridOperation);
  Grid->SetFixedCols(1);
  EXPECT_THROW(Grid->SetCol(0), EInvalidGridOperation);
  Grid->SetColCount(1);  // fixed columns give way to the last column
  EXPECT_EQ(Grid->FixedCols(), 0);
  EXPECT_EQ(Grid->Col(), 0);
}

TEST_F(GridsTest, SelectCellCanRefuseAMove) {
  Grid->OnSelectCell = TSelectCellEvent(this, &GridsTest::Refuse);
  EXPECT_TRUE(Grid->FocusCell(2, 2));
  EXPECT_FALSE(Grid->FocusCell(3, 1));
  EXPECT_EQ(Grid->Col(), 2);
  EXPECT_EQ(Grid->Row(), 2);
  EXPECT_TRUE(Grid->FocusCell(2, 2));  // staying is no move to ask about
  ASSERT_EQ(Asked.size(), 2u);
  EXPECT_EQ(Asked[1], (TGridCoord{3, 1}));
}

TEST_F(GridsTest, KeysMoveTheCurrentCellAndTabWrapsToTheNextRow) {
  EXPECT_FALSE(KeyHandled(VK_TAB, {}));  // without goTabs Tab moves focus
  Grid->SetOptions(Grid->Options() + TGridOptions{goTabs, goEditing});
  Grid->SetCol(4);
  Grid->SetRow(1);
  Press(VK_TAB);
  EXPECT_EQ(Grid->Col(), 1);
  EXPECT_EQ(Grid->Row(), 2);
  Press(VK_TAB, TShiftState{ssShift});
  EXPECT_EQ(Grid->Col(), 4);
  EXPECT_EQ(Grid->Row(), 1);
  Press(VK_UP);  // stops at the fixed row
  EXPECT_EQ(Grid->Row(), 1);
  Press(VK_HOME);
  EXPECT_EQ(Grid->Col(), 1);
}

TEST_F(GridsTest, GeometryAndEditText) {
  Grid->SetColWidths(0, 30);
  Grid->SetRowHeights(1, 10);
  TRect r = Grid->CellRect(1, 2);
  EXPECT_EQ(r.Left, 31);
  EXPECT_EQ(r.Top, 25 + 11);
  EXPECT_EQ(Grid->MouseCoord(r.Left, r.Top), (TGridCoord{1, 2}));
  EXPECT_EQ(Grid->MouseCoord(10000, 0).X, -1);
  Grid->SetDefaultColWidth(40);
  EXPECT_EQ(Grid->ColWidths(0), 40);
  EXPECT_THROW(Grid->ColWidths(5), EInvalidGridOperation);
  Grid->SetEditText(2, 3, "typed");
  EXPECT_EQ(Grid->Cells(2, 3), "typed");
  EXPECT_EQ(Grid->GetEditText(2, 3), "typed");
}

TEST_F(GridsTest, ReadFromFormText) {
  ReadFormText(Form, R"(object Form: TForm
  object sg: TStringGrid
    ColCount = 3
    FixedCols = 0
    RowCount = 2
    DefaultRowHeight = 18
    Options = [goFixedVertLine, goEditing, goTabs]
  end
  object dg: TDrawGrid
    RowCount = 8
  end
end)");
  auto* sg = Form->FindComponent<TStringGrid>("sg");
  ASSERT_NE(sg, nullptr);
  EXPECT_EQ(sg->ColCount(), 3);
  EXPECT_EQ(sg->FixedCols(), 0);
  EXPECT_EQ(sg->RowHeights(1), 18);
  EXPECT_TRUE(sg->Options().Contains(goTabs));
  EXPECT_FALSE(sg->Options().Contains(goHorzLine));
  sg->SetCells(2, 1, "x");
  auto* dg = Form->FindComponent<TDrawGrid>("dg");
  ASSERT_NE(dg, nullptr);
  EXPECT_EQ(dg->RowCount(), 8);
  EXPECT_TRUE(dg->TabStop());
}

}  // namespace
