// Owned GDI handles and selected objects: what goes when, and forms of the
// class library that leave no GDI object behind after many open-paint-close
// cycles.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "classlib/Application.h"
#include "classlib/Bitmap.h"
#include "classlib/Button.h"
#include "classlib/Edit.h"
#include "classlib/Form.h"
#include "classlib/GdiHandle.h"
#include "classlib/Image.h"
#include "classlib/ImageList.h"
#include "classlib/Label.h"
#include "classlib/ListBox.h"
#include "classlib/SelectedObject.h"
#include "classlib/SpeedButton.h"

#include "tests/support/GdiCount.h"
#include "tests/support/WindowTest.h"

namespace {

bool alive(HGDIOBJ h) { return GetObjectType(h) != 0; }

// Each kind the guard holds is deleted when the guard goes.
TEST(GdiHandle, DeletesWhatItHoldsWhenItGoes) {
  auto deletes = [](auto make, DWORD type) {
    using Handle = decltype(make());
    Handle raw;
    {
      const TGdiHandle<Handle> owned(make());
      raw = owned;
      ASSERT_EQ(GetObjectType(raw), type);
    }
    EXPECT_FALSE(alive(raw)) << "type " << type;
  };
  deletes([] { return CreatePen(PS_SOLID, 1, RGB(1, 2, 3)); }, OBJ_PEN);
  deletes([] { return CreateSolidBrush(RGB(1, 2, 3)); }, OBJ_BRUSH);
  deletes([] { return CreateFontA(-11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"); }, OBJ_FONT);
  deletes([] { return CreateBitmap(4, 4, 1, 1, nullptr); }, OBJ_BITMAP);
  deletes([] { return CreateRectRgn(0, 0, 4, 4); }, OBJ_REGION);
  deletes([] { return CreateCompatibleDC(nullptr); }, OBJ_MEMDC);
}

TEST(GdiHandle, OwnershipMovesAndCanBeGivenUp) {
  TGdiHandle<HBRUSH> a(CreateSolidBrush(RGB(1, 2, 3)));
  const HBRUSH first = a;
  TGdiHandle<HBRUSH> b(std::move(a));
  EXPECT_FALSE(a);
  EXPECT_EQ(b.get(), first);

  // Taking another handle deletes the one held before.
  b = TGdiHandle<HBRUSH>(CreateSolidBrush(RGB(4, 5, 6)));
  EXPECT_FALSE(alive(first));
  b = std::move(b);
  EXPECT_TRUE(alive(b));

  const HBRUSH given = b.release();
  EXPECT_FALSE(b);
  EXPECT_TRUE(alive(given));
  DeleteObject(given);
}

TEST(SelectedObject, PutsThePreviousObjectBackAndItsOwnerThenDeletesIt) {
  TBitmap surface;
  surface.SetSize(8, 8);
  HDC dc = surface.Canvas().Handle();
  const HGDIOBJ before = GetCurrentObject(dc, OBJ_PEN);
  HPEN raw;
  {
    const TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
    raw = pen;
    TSelectedObject usePen(dc, pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), raw);
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), before);
  EXPECT_FALSE(alive(raw)) << "the pen was still selected when its owner deleted it";

  // A region is a clip, not a selection: the guard leaves it alone.
  const TGdiHandle<HRGN> clip(CreateRectRgn(0, 0, 2, 2));
  { TSelectedObject useClip(dc, clip); }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), before);
}

// A drawing object replaced by a change of its description is deleted.
TEST(DrawingObjects, AChangeDeletesTheObjectItReplaces) {
  struct Case {
    const char* name;
    std::function<HGDIOBJ()> handle;
    std::function<void()> change;
  };
  TBrush brush;
  TPen pen;
  TFont font;
  const Case cases[] = {
      {"brush colour", [&] { return brush.Handle(); }, [&] { brush.SetColor(clRed); }},
      {"solid brush made hollow", [&] { return brush.Handle(); }, [&] { brush.SetStyle(bsClear); }},
      {"pen width", [&] { return pen.Handle(); }, [&] { pen.SetWidth(3); }},
      {"font size", [&] { return font.Handle(); }, [&] { font.SetSize(14); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HGDIOBJ old = c.handle();
    ASSERT_TRUE(alive(old));
    c.change();
    EXPECT_FALSE(alive(old));
    EXPECT_TRUE(alive(c.handle()));
  }
}

// A form with the class library's drawing controls: labels, a speed button
// with a caption, an owner-drawn list, a picture, an edit and a button.
class PaintedForm : public TForm {
 public:
  PaintedForm() : TForm(nullptr) {
    SetCaption("Zeichnen");
    SetBounds(40, 40, 320, 240);
    auto* label = new TLabel(this);
    label->SetParent(this);
    label->SetBounds(8, 8, 0, 0);
    label->SetAutoSize(true);
    label->SetText("Name der Schule:");
    auto* speed = new TSpeedButton(this);
    speed->SetParent(this);
    speed->SetBounds(8, 30, 80, 22);
    speed->SetText("Prüfen");
    auto* list = new TListBox(this);
    list->SetParent(this);
    list->SetBounds(8, 60, 150, 80);
    list->SetStyle(lbOwnerDrawFixed);
    for (const char* s : {"eins", "zwei", "drei"}) list->Items().Add(s);
    list->SetItemIndex(1);
    auto* image = new TImage(this);
    image->SetParent(this);
    image->SetBounds(170, 8, 40, 40);
    image->Picture().SetSize(40, 40);
    image->Picture().Canvas().Brush.SetColor(clBlue);
    image->Picture().Canvas().FillRect(RECT{0, 0, 20, 20});
    auto* edit = new TEdit(this);
    edit->SetParent(this);
    edit->SetBounds(170, 60, 120, 21);
    edit->SetText("Text");
    auto* button = new TButton(this);
    button->SetParent(this);
    button->SetBounds(170, 90, 75, 25);
    button->SetText("OK");
  }
};

TEST(GdiObjects, FormsLeaveNoneBehind) {
  TApplication::Instance();
  kel::test::expectNoGdiGrowth([] {
    auto form = std::make_unique<PaintedForm>();
    form->Show();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    kel::test::pump();
    TImageList images(nullptr, 16, 16);
    TBitmap picture;
    picture.SetSize(16, 16);
    images.AddMasked(picture, clWhite);
  });
}

}  // namespace
