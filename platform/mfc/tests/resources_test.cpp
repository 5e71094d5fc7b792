#include <gtest/gtest.h>

#include "afxdllx.h"
#include "afxheadless.h"

namespace {

HINSTANCE fakeModule(uintptr_t n) { return reinterpret_cast<HINSTANCE>(n * 0x1000); }

// Every test leaves the resource handle, the tables and the chain as it found them.
class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        first.strings = {{100, "first module"}, {101, "only in first"}};
        first.bitmaps = {{1045, 400, 300, 24}};
        second.strings = {{100, "second module"}};
        second.dialogs = {{1023, "About", 200, 100, {}}};
        AfxRegisterModuleResources(fakeModule(1), &first);
        AfxRegisterModuleResources(fakeModule(2), &second);
        savedHandle = AfxGetResourceHandle();
    }

    void TearDown() override
    {
        AfxSetResourceHandle(savedHandle);
        AfxUnregisterModuleResources(fakeModule(1));
        AfxUnregisterModuleResources(fakeModule(2));
    }

    AfxModuleResources first;
    AfxModuleResources second;
    HINSTANCE savedHandle = nullptr;
};

}  // namespace

TEST_F(ResourcesTest, NothingIsFoundOutsideTheCurrentModuleAndTheChain)
{
    EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
    EXPECT_EQ(AfxFindStringResource(100), nullptr);
    CString text("unchanged");
    EXPECT_FALSE(text.LoadString(100));
    EXPECT_EQ(text, "unchanged");
}

TEST_F(ResourcesTest, CurrentResourceHandleComesBeforeTheChain)
{
    AFX_EXTENSION_MODULE firstModule{};
    AFX_EXTENSION_MODULE secondModule{};
    ASSERT_TRUE(AfxInitExtensionModule(firstModule, fakeModule(1)));
    ASSERT_TRUE(AfxInitExtensionModule(secondModule, fakeModule(2)));
    new CDynLinkLibrary(firstModule);
    new CDynLinkLibrary(secondModule);

    CString text;
    ASSERT_TRUE(text.LoadString(100));
    EXPECT_EQ(text, "first module");  // chain order
    EXPECT_EQ(AfxFindResourceHandle(1023, AfxResourceKind::Dialog), fakeModule(2));

    AfxSetResourceHandle(fakeModule(2));
    ASSERT_TRUE(text.LoadString(100));
    EXPECT_EQ(text, "second module");
    ASSERT_TRUE(text.LoadString(101));
    EXPECT_EQ(text, "only in first");  // not in the current module, found on the chain
    EXPECT_EQ(AfxFindResourceHandle(100, AfxResourceKind::Bitmap), nullptr);  // kinds are apart

    AfxTermExtensionModule(firstModule);
    EXPECT_FALSE(firstModule.bInitialized);
    EXPECT_EQ(AfxFindStringResource(101), nullptr);
    AfxTermExtensionModule(secondModule);
    AfxSetResourceHandle(savedHandle);
    EXPECT_EQ(AfxFindDialogResource(1023), nullptr);
}

TEST_F(ResourcesTest, UnregisteredModuleHasNoResourcesEvenWhenCurrent)
{
    AfxSetResourceHandle(fakeModule(1));
    CBitmap splash;
    ASSERT_TRUE(splash.LoadBitmap(1045));
    BITMAP info{};
    EXPECT_EQ(splash.GetBitmap(&info), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(info.bmWidth, 400);
    EXPECT_EQ(info.bmHeight, 300);
    EXPECT_EQ(info.bmBitsPixel, 24);
    EXPECT_EQ(info.bmWidthBytes, 1200);
    EXPECT_TRUE(splash.DeleteObject());
    EXPECT_EQ(splash.GetBitmap(&info), 0);

    AfxUnregisterModuleResources(fakeModule(1));
    EXPECT_EQ(AfxModuleResourcesOf(fakeModule(1)), nullptr);
    EXPECT_FALSE(splash.LoadBitmap(1045));
}
