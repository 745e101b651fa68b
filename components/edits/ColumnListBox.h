#pragma once
// An owner-drawn list box whose rows are split into columns of fixed width,
// each with its own font, colour, alignment and ellipsis, with an image per
// row from an image list, sorting by a column and search by typing. Each
// row keeps its own column texts.
#include <memory>
#include <vector>

#include "classlib/ImageList.h"
#include "classlib/Label.h"
#include "classlib/ListBox.h"

class TColumnListBox;

enum TColumnType { ctText, ctImage };
enum TEllipsisType { etAtEnd, etInMiddle, etNone };

class TListBoxColumnItem : public TPersistent {
 public:
  explicit TListBoxColumnItem(TColumnListBox* owner, int index);
  TColor Color() const { return FColor; }
  void SetColor(TColor c);
  TColumnType ColumnType() const { return FColumnType; }
  void SetColumnType(TColumnType t);
  TEllipsisType Ellipsis() const { return FEllipsis; }
  void SetEllipsis(TEllipsisType e);
  int Width() const { return FWidth; }
  void SetWidth(int w);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment a);
  TFont& Font() { return FFont; }
  AnsiString DisplayName() const { return "Column" + std::to_string(FIndex); }

 private:
  void Changed();
  TColumnListBox* FOwner;
  int FIndex;
  TColor FColor = clWindow;
  TColumnType FColumnType = ctText;
  TEllipsisType FEllipsis = etNone;
  int FWidth = 100;
  TAlignment FAlignment = taLeftJustify;
  TFont FFont;
};

class TListBoxColumnCollection {
 public:
  explicit TListBoxColumnCollection(TColumnListBox* owner) : FOwner(owner) {}
  TListBoxColumnItem* Add();
  int Count() const { return static_cast<int>(FItems.size()); }
  TListBoxColumnItem* Items(int index) const;
  void Clear();

 private:
  TColumnListBox* FOwner;
  std::vector<std::unique_ptr<TListBoxColumnItem>> FItems;
};

class TListBoxItem : public TPersistent {
 public:
  explicit TListBoxItem(TColumnListBox* owner);
  ~TListBoxItem() override;
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int i);
  TControlStrings& Strings() { return FStrings; }
  intptr_t Tag = 0;

 private:
  TColumnListBox* FOwner;
  int FImageIndex = -1;
  TControlStrings FStrings;
  friend class TColumnListBox;
  friend class TListBoxItemCollection;
};

class TListBoxItemCollection {
 public:
  explicit TListBoxItemCollection(TColumnListBox* owner) : FOwner(owner) {}
  TListBoxItem* Add();
  TListBoxItem* Insert(int index);
  int Count() const { return static_cast<int>(FItems.size()); }
  TListBoxItem* Items(int index) const;
  void Delete(int index);
  void Clear();
  // The first row and position whose strings hold the value; false for none.
  bool IndexOf(const AnsiString& value, int& row, int& pos) const;
  // The first row whose string at `col` equals the value, -1 for none.
  int IndexInColumnOf(int col, const AnsiString& value) const;
  // The position of the value in the row's strings, -1 for none.
  int IndexInRowOf(int row, const AnsiString& value) const;

 private:
  TColumnListBox* FOwner;
  std::vector<std::unique_ptr<TListBoxItem>> FItems;
  friend class TColumnListBox;
};

class TColumnListBox : public TCustomListBox {
 public:
  explicit TColumnListBox(TComponent* owner);
  ~TColumnListBox() override;

  TListBoxColumnCollection& Columns() { return FColumns; }
  TListBoxItemCollection& ListBoxItems() { return FListBoxItems; }
  bool GridLines() const { return FGridLines; }
  void SetGridLines(bool v);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* images);
  bool LookupIncr = false;
  int LookupColumn = 0;
  bool ShowItemHint = false;
  int SortColumn = 0;
  bool Sorted() const { return FSorted; }
  void SetSorted(bool v);
  AnsiString Version() const { return "1.3.0.0"; }

  // The field delimiter of the line strings, shared by every list.
  static char Delimiter();
  static void SetDelimiter(char c);

  void SetItemIndex(int index) override;
  // The selected line, -1 for none.
  int GetItemIndexP() const { return ItemIndex(); }

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  void BuildItems();
  // How often the lines were built (for tests of the update bracket).
  int BuildCount() const { return FBuildCount; }

  // The text of column `col` (counted over all columns) of a row; a row
  // outside the list raises "Item index out of range".
  AnsiString GetColumnItems(int row, int col) const;
  void SetColumnItems(int row, int col, const AnsiString& value);
  void Sort();
  void LoadFromFile(const AnsiString& fileName);
  void SaveToFile(const AnsiString& fileName) const;
  void TestFill();
  // Called once the creator has set the properties.
  void Loaded();

  // The search text typed so far.
  const AnsiString& SearchText() const { return FSearch; }

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  void HandleCreated() override;
  void DrawItem(int index, const RECT& rect, TOwnerDrawState state) override;
  void MeasureItem(int index, int& height) override;
  void KeyPress(char& key) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // Field index of a column (-1 for an image column).
  int FieldOf(int col) const;
  AnsiString LineOf(const TListBoxItem& row) const;
  void CheckRow(int row) const;
  bool SearchFrom(int start);
  void UpdateHint(int row);

  TListBoxColumnCollection FColumns;
  TListBoxItemCollection FListBoxItems;
  TImageList* FImages = nullptr;
  bool FGridLines = false;
  bool FSorted = false;
  bool FLoading = false;
  int FUpdateCount = 0;
  int FBuildCount = 0;
  int FStoredIndex = -1;
  int FHintRow = -1;
  AnsiString FSearch;
  AnsiString FPlainHint;
  friend class TListBoxItem;
  friend class TListBoxColumnItem;
};
