#pragma once
// Grids: a rectangle of cells with fixed (heading) rows and columns and one
// current cell. TDrawGrid leaves the drawing to OnDrawCell; TStringGrid also
// holds a text and an object per cell.
#include <string>
#include <vector>

#include "Controls.h"

KESR_DECLARE_EXCEPTION(EInvalidGridOperation, Exception);

enum TGridOption {
  goFixedVertLine,
  goFixedHorzLine,
  goVertLine,
  goHorzLine,
  goRangeSelect,
  goDrawFocusSelected,
  goRowSizing,
  goColSizing,
  goRowMoving,
  goColMoving,
  goEditing,
  goTabs,
  goRowSelect,
  goAlwaysShowEditor,
  goThumbTracking,
};
using TGridOptions = TSet<TGridOption>;
const TTypeInfo& GridOptionsTypeInfo();

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem>;

struct TGridCoord {
  int X = 0;  // column
  int Y = 0;  // row
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// Sender, ACol, ARow, var CanSelect.
struct TSelectCellEvent : TEvent<TObject*, int, int, bool&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TSelectCellEvent";
};
// Sender, ACol, ARow, Rect, State.
struct TDrawCellEvent : TEvent<TObject*, int, int, TRect, TGridDrawState> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TDrawCellEvent";
};
// Sender, ACol, ARow, var Value.
struct TGetEditEvent : TEvent<TObject*, int, int, std::string&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TGetEditEvent";
};
// Sender, ACol, ARow, Value.
struct TSetEditEvent : TEvent<TObject*, int, int, const std::string&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TSetEditEvent";
};

class TCustomGrid : public TCustomControl {
  KESR_CLASS(TCustomGrid, TCustomControl)
public:
  explicit TCustomGrid(TComponent* AOwner);

  int ColCount() const { return FColCount; }
  // At least 1; fewer columns than fixed ones reduce the fixed ones.
  void SetColCount(int Value);
  int RowCount() const { return FRowCount; }
  void SetRowCount(int Value);
  int FixedCols() const { return FFixedCols; }
  // EInvalidGridOperation unless below ColCount.
  void SetFixedCols(int Value);
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int Value);

  // The current cell, never a fixed one.
  int Col() const { return FCol; }
  void SetCol(int Value) { FocusCell(Value, FRow); }
  int Row() const { return FRow; }
  void SetRow(int Value) { FocusCell(FCol, Value); }
  // Makes the cell current unless OnSelectCell refuses it; EInvalidGridOperation
  // for a cell outside the grid or a fixed one. True when it moved or stayed.
  bool FocusCell(int ACol, int ARow);

  int DefaultColWidth() const { return FDefaultColWidth; }
  // Resets every column to the new width.
  void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(int Value);
  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);
  int RowHeights(int Index) const;
  void SetRowHeights(int Index, int Value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value) { FGridLineWidth = Value < 0 ? 0 : Value; }
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value) { FOptions = Value; }

  // The cell's rectangle in client coordinates (no scrolling).
  TRect CellRect(int ACol, int ARow) const;
  // The cell under a client point; -1 for a coordinate past the last cell.
  TGridCoord MouseCoord(int X, int Y) const;
  // Raises OnDrawCell for the cell with its rectangle and state.
  void DrawCell(int ACol, int ARow);

  // The text an in-place editor starts with and the text it ends with.
  virtual std::string GetEditText(int ACol, int ARow);
  virtual void SetEditText(int ACol, int ARow, const std::string& Value);

  TSelectCellEvent OnSelectCell;
  TDrawCellEvent OnDrawCell;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;

protected:
  // The grid's storage follows its size (string grids keep their cells).
  virtual void SizeChanged() {}
  void CheckCell(int ACol, int ARow) const;
  bool WantsKey(std::uint16_t Key, TShiftState Shift) const override;
  void DefaultKeyDown(std::uint16_t Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  void ClampCurrent();
  static void CheckIndex(int Index, int Count);

  int FColCount = 5;
  int FRowCount = 5;
  int FFixedCols = 1;
  int FFixedRows = 1;
  int FCol = 1;
  int FRow = 1;
  int FDefaultColWidth = 64;
  int FDefaultRowHeight = 24;
  int FGridLineWidth = 1;
  std::vector<int> FColWidths;
  std::vector<int> FRowHeights;
  TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
};

class TDrawGrid : public TCustomGrid {
  KESR_CLASS(TDrawGrid, TCustomGrid)
public:
  explicit TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}
};

class TStringGrid : public TDrawGrid {
  KESR_CLASS(TStringGrid, TDrawGrid)
public:
  explicit TStringGrid(TComponent* AOwner);

  // EInvalidGridOperation for a cell outside the grid.
  const std::string& Cells(int ACol, int ARow) const;
  void SetCells(int ACol, int ARow, const std::string& Value);
  // Not owned by the grid.
  TObject* Objects(int ACol, int ARow) const;
  void SetObjects(int ACol, int ARow, TObject* Value);

  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;

protected:
  void SizeChanged() override;

private:
  struct TCell {
    std::string Text;
    TObject* Object = nullptr;
  };
  TCell& CellAt(int ACol, int ARow);
  const TCell& CellAt(int ACol, int ARow) const;

  std::vector<std::vector<TCell>> FCells;  // [row][col]
};
