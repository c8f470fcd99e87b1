#include "Grids.h"

#include <algorithm>

#include "KeyCodes.h"
#include "TypInfo.h"

const TTypeInfo& GridOptionsTypeInfo() {
  static const TTypeInfo element = TTypeInfo::Enumeration(
      "TGridOption", {"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
                      "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving",
                      "goEditing", "goTabs", "goRowSelect", "goAlwaysShowEditor", "goThumbTracking"});
  static const TTypeInfo type = TTypeInfo::Set("TGridOptions", element);
  return type;
}

namespace {
const TGridOptions kDefaultOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
}  // namespace

// -------------------------------------------------------------- TCustomGrid

TCustomGrid::TCustomGrid(TComponent* AOwner)
    : TCustomControl(AOwner), FColWidths(FColCount, FDefaultColWidth), FRowHeights(FRowCount, FDefaultRowHeight) {
  SetBounds(0, 0, 320, 120);
  SetTabStop(true);
}

void TCustomGrid::CheckIndex(int Index, int Count) {
  if (Index < 0 || Index >= Count) throw EInvalidGridOperation("Grid index out of range");
}

void TCustomGrid::CheckCell(int ACol, int ARow) const {
  CheckIndex(ACol, FColCount);
  CheckIndex(ARow, FRowCount);
}

void TCustomGrid::SetColCount(int Value) {
  Value = std::max(Value, 1);
  if (Value == FColCount) return;
  FColCount = Value;
  FColWidths.resize(Value, FDefaultColWidth);
  FFixedCols = std::min(FFixedCols, Value - 1);
  SizeChanged();
  ClampCurrent();
}

void TCustomGrid::SetRowCount(int Value) {
  Value = std::max(Value, 1);
  if (Value == FRowCount) return;
  FRowCount = Value;
  FRowHeights.resize(Value, FDefaultRowHeight);
  FFixedRows = std::min(FFixedRows, Value - 1);
  SizeChanged();
  ClampCurrent();
}

void TCustomGrid::SetFixedCols(int Value) {
  if (Value < 0) throw EInvalidGridOperation("Grid index out of range");
  if (Value >= FColCount) throw EInvalidGridOperation("Fixed column count must be less than column count");
  FFixedCols = Value;
  ClampCurrent();
}

void TCustomGrid::SetFixedRows(int Value) {
  if (Value < 0) throw EInvalidGridOperation("Grid index out of range");
  if (Value >= FRowCount) throw EInvalidGridOperation("Fixed row count must be less than row count");
  FFixedRows = Value;
  ClampCurrent();
}

// The current cell follows a size change without asking OnSelectCell: the
// old cell is gone, so there is nothing to refuse.
void TCustomGrid::ClampCurrent() {
  FCol = std::clamp(FCol, FFixedCols, FColCount - 1);
  FRow = std::clamp(FRow, FFixedRows, FRowCount - 1);
}

bool TCustomGrid::FocusCell(int ACol, int ARow) {
  CheckCell(ACol, ARow);
  if (ACol < FFixedCols || ARow < FFixedRows) throw EInvalidGridOperation("Grid index out of range");
  if (ACol == FCol && ARow == FRow) return true;
  bool canSelect = true;
  OnSelectCell(this, ACol, ARow, canSelect);
  if (!canSelect) return false;
  FCol = ACol;
  FRow = ARow;
  return true;
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  FDefaultColWidth = std::max(Value, 0);
  std::fill(FColWidths.begin(), FColWidths.end(), FDefaultColWidth);
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  FDefaultRowHeight = std::max(Value, 0);
  std::fill(FRowHeights.begin(), FRowHeights.end(), FDefaultRowHeight);
}

int TCustomGrid::ColWidths(int Index) const {
  CheckIndex(Index, FColCount);
  return FColWidths[Index];
}

void TCustomGrid::SetColWidths(int Index, int Value) {
  CheckIndex(Index, FColCount);
  FColWidths[Index] = std::max(Value, 0);
}

int TCustomGrid::RowHeights(int Index) const {
  CheckIndex(Index, FRowCount);
  return FRowHeights[Index];
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
  CheckIndex(Index, FRowCount);
  FRowHeights[Index] = std::max(Value, 0);
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
  CheckCell(ACol, ARow);
  int left = 0, top = 0;
  for (int i = 0; i < ACol; ++i) left += FColWidths[i] + FGridLineWidth;
  for (int i = 0; i < ARow; ++i) top += FRowHeights[i] + FGridLineWidth;
  return Rect(left, top, left + FColWidths[ACol], top + FRowHeights[ARow]);
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
  auto find = [this](int pos, const std::vector<int>& sizes) {
    if (pos < 0) return -1;
    for (int i = 0; i < static_cast<int>(sizes.size()); ++i) {
      pos -= sizes[i] + FGridLineWidth;
      if (pos < 0) return i;
    }
    return -1;
  };
  return {find(X, FColWidths), find(Y, FRowHeights)};
}

void TCustomGrid::DrawCell(int ACol, int ARow) {
  TRect rect = CellRect(ACol, ARow);
  TGridDrawState state;
  if (ACol < FFixedCols || ARow < FFixedRows) state.Include(gdFixed);
  else if (ACol == FCol && ARow == FRow) state = TGridDrawState{gdSelected, gdFocused};
  else if (FOptions.Contains(goRowSelect) && ARow == FRow) state.Include(gdSelected);
  OnDrawCell(this, ACol, ARow, rect, state);
}

std::string TCustomGrid::GetEditText(int ACol, int ARow) {
  std::string value;
  OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TCustomGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  OnSetEditText(this, ACol, ARow, Value);
}

bool TCustomGrid::WantsKey(std::uint16_t Key, TShiftState) const {
  switch (Key) {
    case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT: case VK_HOME: case VK_END:
      return true;
    case VK_TAB:
      return FOptions.Contains(goTabs);
    default:
      return false;
  }
}

void TCustomGrid::DefaultKeyDown(std::uint16_t Key, TShiftState Shift) {
  int col = FCol, row = FRow;
  switch (Key) {
    case VK_UP: row = std::max(row - 1, FFixedRows); break;
    case VK_DOWN: row = std::min(row + 1, FRowCount - 1); break;
    case VK_LEFT: col = std::max(col - 1, FFixedCols); break;
    case VK_RIGHT: col = std::min(col + 1, FColCount - 1); break;
    case VK_HOME: col = FFixedCols; break;
    case VK_END: col = FColCount - 1; break;
    case VK_TAB:
      if (!FOptions.Contains(goTabs)) return;
      if (Shift.Contains(ssShift)) {
        if (col > FFixedCols) --col;
        else if (row > FFixedRows) col = FColCount - 1, --row;
      } else {
        if (col < FColCount - 1) ++col;
        else if (row < FRowCount - 1) col = FFixedCols, ++row;
      }
      break;
    default:
      return;
  }
  FocusCell(col, row);
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  TGridCoord cell = MouseCoord(X, Y);
  if (Button == mbLeft && cell.X >= FFixedCols && cell.Y >= FFixedRows) FocusCell(cell.X, cell.Y);
}

// -------------------------------------------------------------- TStringGrid

TStringGrid::TStringGrid(TComponent* AOwner)
    : TDrawGrid(AOwner), FCells(RowCount(), std::vector<TCell>(ColCount())) {}

void TStringGrid::SizeChanged() {
  // Cells inside the new size stay; those outside go, so they cannot come
  // back stale when the grid grows again.
  FCells.resize(RowCount());
  for (auto& row : FCells) row.resize(ColCount());
}

TStringGrid::TCell& TStringGrid::CellAt(int ACol, int ARow) {
  CheckCell(ACol, ARow);
  return FCells[ARow][ACol];
}

const TStringGrid::TCell& TStringGrid::CellAt(int ACol, int ARow) const {
  CheckCell(ACol, ARow);
  return FCells[ARow][ACol];
}

const std::string& TStringGrid::Cells(int ACol, int ARow) const { return CellAt(ACol, ARow).Text; }

void TStringGrid::SetCells(int ACol, int ARow, const std::string& Value) { CellAt(ACol, ARow).Text = Value; }

TObject* TStringGrid::Objects(int ACol, int ARow) const { return CellAt(ACol, ARow).Object; }

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value) { CellAt(ACol, ARow).Object = Value; }

std::string TStringGrid::GetEditText(int ACol, int ARow) {
  std::string value = Cells(ACol, ARow);
  OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  SetCells(ACol, ARow, Value);
  TDrawGrid::SetEditText(ACol, ARow, Value);
}

// ----------------------------------------------------------- class tables

const TClass& TCustomGrid::StaticClass() {
  static const TClass Class =
      TClassBuilder<TCustomGrid>("TCustomGrid")
          .Abstract()
          .Property("ColCount", &TCustomGrid::ColCount, &TCustomGrid::SetColCount).Default(5)
          .Property("RowCount", &TCustomGrid::RowCount, &TCustomGrid::SetRowCount).Default(5)
          .Property("DefaultColWidth", &TCustomGrid::DefaultColWidth, &TCustomGrid::SetDefaultColWidth).Default(64)
          .Property("DefaultRowHeight", &TCustomGrid::DefaultRowHeight, &TCustomGrid::SetDefaultRowHeight)
          .Default(24)
          .Property("FixedCols", &TCustomGrid::FixedCols, &TCustomGrid::SetFixedCols).Default(1)
          .Property("FixedRows", &TCustomGrid::FixedRows, &TCustomGrid::SetFixedRows).Default(1)
          .Property("GridLineWidth", &TCustomGrid::GridLineWidth, &TCustomGrid::SetGridLineWidth).Default(1)
          .Property("Options", GridOptionsTypeInfo(), &TCustomGrid::Options, &TCustomGrid::SetOptions)
          .StoredIf([](const TCustomGrid& g) { return g.Options() != kDefaultOptions; })
          .Property("OnDrawCell", &TCustomGrid::OnDrawCell, &TCustomGrid::OnDrawCell)
          .Property("OnGetEditText", &TCustomGrid::OnGetEditText, &TCustomGrid::OnGetEditText)
          .Property("OnSelectCell", &TCustomGrid::OnSelectCell, &TCustomGrid::OnSelectCell)
          .Property("OnSetEditText", &TCustomGrid::OnSetEditText, &TCustomGrid::OnSetEditText)
          .Build();
  return Class;
}

const TClass& TDrawGrid::StaticClass() {
  static const TClass Class = TClassBuilder<TDrawGrid>("TDrawGrid").Build();
  return Class;
}

const TClass& TStringGrid::StaticClass() {
  static const TClass Class = TClassBuilder<TStringGrid>("TStringGrid").Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClasses({&TDrawGrid::StaticClass(), &TStringGrid::StaticClass()}), true);
}  // namespace
