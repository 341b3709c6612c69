// Menu icons from toolbar resources: shared indices, the faded and shadow
// variants, replacement in place, the cell size and the transparent colour.
#include <windows.h>

#include <gtest/gtest.h>

#include "MenuTestResources.h"
#include "MenuTestSupport.h"
#include "menu/MenuColor.h"

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
constexpr COLORREF kTeal = RGB(0, 128, 128), kYellow = RGB(255, 255, 0), kAqua = RGB(0, 255, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255), kWhite = RGB(255, 255, 255);

// Where the strips' parts lie, as fractions of an image: the frame at the
// corner, the field between frame and centre, and the centre square.
constexpr double kCorner = 0.02, kField = 0.21, kCentre = 0.5;

// A pixel of a shared image drawn transparently on white.
COLORREF SharedPixel(int index, double fx, double fy) {
    int width = 0, height = 0;
    ImageList_GetIconSize(TaviMenu::s_imageList.get(), &width, &height);
    TestSurface surface(width, height, kWhite);
    ImageList_Draw(TaviMenu::s_imageList.get(), index, surface.DC(), 0, 0, ILD_TRANSPARENT);
    return surface.Pixel(static_cast<int>(fx * width), static_cast<int>(fy * height));
}

class TaviMenuImages : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_root.LoadMenu(IDR_TEST_MENU));
        m_file = m_root.GetPopup(0);
        m_recent = m_file->GetPopup(3);
        m_edit = m_root.GetPopup(1);
    }

    MenuSwitches m_switches;
    KnownColors m_colors;
    TaviMenu m_root;
    TaviMenu* m_file = nullptr;
    TaviMenu* m_recent = nullptr;
    TaviMenu* m_edit = nullptr;
};

}  // namespace

TEST_F(TaviMenuImages, ToolbarCommandsGetAnIconWithFadedAndShadowVariants) {
    MenuSwitches::UseXPStyle(true);
    TaviMenu::s_bXPImageEffects = TRUE;
    m_root.SetImageMask(kMagenta);
    m_root.SetImageSize(16, 16);
    ASSERT_TRUE(m_root.AddToolbarImages(IDR_TOOLBAR_24));
    // The 24 x 24 strip grows the root's cell; the pop-ups keep theirs.
    EXPECT_EQ(m_root.m_nImageWidth, 24);
    EXPECT_EQ(m_root.m_nImageHeight, 24);
    EXPECT_EQ(m_file->m_nImageWidth, 16);

    const int open = TaviMenu::FindSharedImage(ID_OPEN);
    const int copy = TaviMenu::FindSharedImage(ID_COPY);
    ASSERT_GE(open, 0);
    ASSERT_GE(copy, 0);
    EXPECT_EQ(TaviMenu::FindSharedImage(ID_NOT_IN_MENU), -1);
    EXPECT_TRUE(TaviMenu::HasImageVariants(open));
    EXPECT_TRUE(TaviMenu::HasImageVariants(copy));
    EXPECT_FALSE(TaviMenu::HasImageVariants(open + 1));

    // Every place of a command shows its icon; other items keep none.
    EXPECT_EQ(Record(*m_file, ID_OPEN).m_nImage, open);
    EXPECT_EQ(Record(*m_recent, ID_COPY).m_nImage, copy);
    EXPECT_EQ(Record(*m_edit, ID_COPY).m_nImage, copy);
    EXPECT_EQ(Record(*m_edit, ID_PASTE).m_nImage, -1);
    EXPECT_EQ(Record(*m_file, ID_SAVE_AS).m_nImage, -1);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    // Both places of Copy still draw from their own records.
    for (TaviMenu* menu : {m_recent, m_edit}) {
        ASSERT_TRUE(GetMenuItemInfoW(menu->m_hMenu, ID_COPY, FALSE, &info));
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
        EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(&Record(*menu, ID_COPY)));
    }

    // After a leading separator the first command's image is taken at its
    // toolbar position (1: green); the later one by image number (2: blue).
    EXPECT_EQ(SharedPixel(open, kCentre, kCentre), kGreen);
    EXPECT_EQ(SharedPixel(copy, kCentre, kCentre), kBlue);
    EXPECT_EQ(SharedPixel(open, kCorner, kCorner), kTeal);
    EXPECT_EQ(SharedPixel(open, kField, kCentre), kWhite);  // magenta is transparent

    EXPECT_EQ(SharedPixel(open + 1, kCentre, kCentre), MixWithWhite(kGreen, 0.3));
    EXPECT_EQ(SharedPixel(open + 1, kCorner, kCorner), MixWithWhite(kTeal, 0.3));
    EXPECT_EQ(SharedPixel(open + 1, kField, kCentre), kWhite);
    const COLORREF shadow = MixWithWhite(KnownColors::kButtonShadow, 0.49);
    EXPECT_EQ(SharedPixel(open + 2, kCentre, kCentre), shadow);
    EXPECT_EQ(SharedPixel(open + 2, kCorner, kCorner), shadow);
    EXPECT_EQ(SharedPixel(open + 2, kField, kCentre), kWhite);
}

TEST_F(TaviMenuImages, AddingAgainReplacesTheImagesInPlace) {
    MenuSwitches::UseXPStyle(true);
    TaviMenu::s_bXPImageEffects = TRUE;
    m_root.SetImageMask(kMagenta);
    ASSERT_TRUE(m_root.AddToolbarImages(IDR_TOOLBAR_24));
    const int open = TaviMenu::FindSharedImage(ID_OPEN);
    const int copy = TaviMenu::FindSharedImage(ID_COPY);
    const size_t images = TaviMenu::s_imageCommands.size();
    ASSERT_EQ(ImageList_GetImageCount(TaviMenu::s_imageList.get()), static_cast<int>(images));

    ASSERT_TRUE(m_root.AddToolbarImages(IDR_TOOLBAR_24));
    EXPECT_EQ(TaviMenu::FindSharedImage(ID_OPEN), open);
    EXPECT_EQ(TaviMenu::s_imageCommands.size(), images);

    // A 16-colour strip from another menu: same indices, new pictures. Its
    // standard colours follow the colour scheme: black becomes the button
    // text colour, and silver the face colour, transparent without a mask.
    TaviMenu other;
    ASSERT_TRUE(other.LoadMenu(IDR_TEST_MENU));
    other.SetImageSize(16, 16);
    ASSERT_TRUE(other.AddToolbarImages(IDR_TOOLBAR_16));
    EXPECT_EQ(other.m_nImageWidth, 16);
    EXPECT_EQ(other.m_nImageHeight, 16);
    EXPECT_EQ(TaviMenu::FindSharedImage(ID_OPEN), open);
    EXPECT_EQ(TaviMenu::FindSharedImage(ID_COPY), copy);
    EXPECT_EQ(TaviMenu::s_imageCommands.size(), images);
    EXPECT_EQ(ImageList_GetImageCount(TaviMenu::s_imageList.get()), static_cast<int>(images));
    EXPECT_EQ(Record(*other.GetPopup(0), ID_OPEN).m_nImage, open);

    EXPECT_EQ(SharedPixel(open, kCentre, kCentre), kYellow);
    EXPECT_EQ(SharedPixel(copy, kCentre, kCentre), kAqua);
    EXPECT_EQ(SharedPixel(open, kCorner, kCorner), KnownColors::kButtonText);
    EXPECT_EQ(SharedPixel(open, kField, kCentre), kWhite);
    EXPECT_EQ(SharedPixel(open + 1, kCentre, kCentre), MixWithWhite(kYellow, 0.3));
    EXPECT_EQ(SharedPixel(copy + 1, kCentre, kCentre), MixWithWhite(kAqua, 0.3));

    // Items appended later take the command's stored icon at once.
    TaviMenu later;
    ASSERT_TRUE(later.LoadMenu(IDR_TEST_MENU));
    EXPECT_EQ(Record(*later.GetPopup(1), ID_COPY).m_nImage, copy);
    EXPECT_EQ(Record(*later.GetPopup(1), ID_PASTE).m_nImage, -1);
}

TEST_F(TaviMenuImages, WithoutImageEffectsACommandTakesOneSlot) {
    MenuSwitches::UseXPStyle(false);
    ASSERT_TRUE(m_root.AddToolbarImages(IDR_TOOLBAR_PLAIN));
    const int exit = TaviMenu::FindSharedImage(ID_EXIT);
    ASSERT_GE(exit, 0);
    EXPECT_EQ(static_cast<size_t>(exit) + 1, TaviMenu::s_imageCommands.size());
    EXPECT_FALSE(TaviMenu::HasImageVariants(exit));
    EXPECT_EQ(Record(*m_file, ID_EXIT).m_nImage, exit);
    EXPECT_EQ(SharedPixel(exit, kCentre, kCentre), kYellow);
}

TEST_F(TaviMenuImages, WithoutAMaskColourTheFaceColourIsTransparent) {
    const KnownColors tealFace(kTeal);
    // A command keeps the slots of its first icon for the process: like the
    // other tests of this strip, with the variants.
    MenuSwitches::UseXPStyle(true);
    ASSERT_TRUE(m_root.AddToolbarImages(IDR_TOOLBAR_24));
    const int open = TaviMenu::FindSharedImage(ID_OPEN);
    EXPECT_EQ(SharedPixel(open, kCorner, kCorner), kWhite);
    EXPECT_EQ(SharedPixel(open, kField, kCentre), kMagenta);
    EXPECT_EQ(SharedPixel(open, kCentre, kCentre), kGreen);
}

TEST_F(TaviMenuImages, MissingToolbarIsRefused) {
    EXPECT_FALSE(m_root.AddToolbarImages(9999));
    EXPECT_FALSE(m_root.AddToolbarImages(IDR_TOOLBAR_NO_STRIP));
    EXPECT_EQ(TaviMenu::FindSharedImage(ID_SAVE_AS), -1);
    EXPECT_EQ(m_root.m_nImageWidth, 16);
    EXPECT_EQ(m_root.m_nImageHeight, 15);
}
