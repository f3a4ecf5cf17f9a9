#include <gtest/gtest.h>

#include "activex/qoChartixControl.h"
#include "data/qoDoLater.h"
#include "platform/window/qoHeadless.h"
#include "platform/com/qoGuid.h"
#include "platform/com/qoTypeLibReg.h"
#include "qoChartixControl_TLB.h"

namespace qo::test {
namespace {

constexpr CLSID cControlClsid = {
    0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}};
constexpr CLSID cInternalClsid = {
    0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x56}};

class ServerTest : public ::testing::Test {
protected:
    ServerTest() {
        TqoClassDescription control;
        control.fClsid = cControlClsid;
        control.fClassName = "qoSampleControl";
        control.fDescription = "qoSampleControl Control";
        control.fInTypeLibrary = true;
        control.fControl = true;
        control.fMiscStatus = 0x32191;
        control.fVerbs = {"Properties"};
        fServer.Factories().Add(control, [] { return nullptr; });
        TqoClassDescription internal;
        internal.fClsid = cInternalClsid;
        internal.fClassName = "qoSampleInternal";
        internal.fInternal = true;
        internal.fThreading = TqoThreading::Single;
        fServer.Factories().Add(internal, [] { return nullptr; });
    }
    std::string Value(TqoRegRoot root, const std::string& key, const std::string& name = "") {
        std::string value = "<missing>";
        fRegistry.GetValue(root, key, name, value);
        return value;
    }

    TqoMemoryRegistry fRegistry;
    TqoComServer fServer{fRegistry, "C:\\PROGRA~1\\qo\\qoChartixControl.ocx"};
    std::string fKey = "CLSID\\" + GuidToString(cControlClsid);
};

TEST_F(ServerTest, RegistrationWritesTheClassEntriesAndUnregistrationRemovesThemAll) {
    ASSERT_EQ(fServer.RegisterServer(), S_OK);
    const TqoRegRoot hkcr = TqoRegRoot::ClassesRoot;
    EXPECT_EQ(Value(hkcr, fKey), "qoSampleControl Control");
    EXPECT_EQ(Value(hkcr, fKey + "\\InprocServer32"), "C:\\PROGRA~1\\qo\\qoChartixControl.ocx");
    EXPECT_EQ(Value(hkcr, fKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(Value(hkcr, "qoChartixControl.qoSampleControl\\Clsid"), GuidToString(cControlClsid));
    EXPECT_EQ(Value(hkcr, fKey + "\\ProgID"), "qoChartixControl.qoSampleControl");
    EXPECT_EQ(Value(hkcr, fKey + "\\Version"), "2.5");
    EXPECT_EQ(Value(hkcr, fKey + "\\TypeLib"), GuidToString(LIBID_qoChartixControl));
    EXPECT_EQ(Value(hkcr, fKey + "\\MiscStatus"), "0");
    EXPECT_EQ(Value(hkcr, fKey + "\\MiscStatus\\1"), "205201");
    EXPECT_EQ(Value(hkcr, fKey + "\\ToolboxBitmap32"), "C:\\PROGRA~1\\qo\\qoChartixControl.ocx,1");
    EXPECT_TRUE(fRegistry.KeyExists(hkcr, fKey + "\\Control"));
    EXPECT_EQ(Value(hkcr, fKey + "\\Verb\\0"), "Properties,0,2");
    EXPECT_EQ(Value(hkcr, TypeLibKey() + "\\HELPDIR"), "C:\\PROGRA~1\\qo");
    EXPECT_FALSE(fRegistry.KeyExists(hkcr, "CLSID\\" + GuidToString(cInternalClsid)));

    ASSERT_EQ(fServer.UnregisterServer(), S_OK);
    for (const std::string& key : fRegistry.Keys())
        EXPECT_TRUE(key == "HKEY_CLASSES_ROOT" || key.find("\\CLSID") != std::string::npos ||
                    key.find("\\Interface") != std::string::npos ||
                    key.find("\\TypeLib") != std::string::npos)
            << key;
    EXPECT_FALSE(fRegistry.KeyExists(hkcr, fKey));
    EXPECT_FALSE(fRegistry.KeyExists(hkcr, "qoChartixControl.qoSampleControl"));
}

TEST_F(ServerTest, InstallForTheUserWritesOnlyTheUsersClassesAndIsUndone) {
    ASSERT_EQ(fServer.Install(true, QO_OLESTR("USER")), S_OK);
    EXPECT_FALSE(fRegistry.KeyExists(TqoRegRoot::ClassesRoot, fKey));
    EXPECT_FALSE(fRegistry.KeyExists(TqoRegRoot::ClassesRoot, "TypeLib"));
    EXPECT_EQ(Value(TqoRegRoot::CurrentUser, "Software\\Classes\\" + fKey + "\\ProgID"),
              "qoChartixControl.qoSampleControl");
    ASSERT_EQ(fServer.Install(false, QO_OLESTR("user")), S_OK);
    EXPECT_FALSE(fRegistry.KeyExists(TqoRegRoot::CurrentUser, "Software\\Classes\\" + fKey));
    // The switch lasts for the call only.
    ASSERT_EQ(fServer.Install(true, nullptr), S_OK);
    EXPECT_TRUE(fRegistry.KeyExists(TqoRegRoot::ClassesRoot, fKey));
}

TEST_F(ServerTest, ClassObjectsAreFoundByClsidOnly) {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(fServer.GetClassObject(cInternalClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    EXPECT_NE(factory, nullptr);
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(fServer.GetClassObject(LIBID_qoChartixControl, IID_IClassFactory, &none),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(fServer.CanUnloadNow(), S_OK);
    factory->LockServer(true);
    EXPECT_EQ(fServer.CanUnloadNow(), S_FALSE);
    factory->LockServer(false);
}

// A yes may be followed by the unload: the deferred calls run before it and the
// hidden window goes. A call that keeps an object alive turns the answer to no.
TEST_F(ServerTest, AYesToCanUnloadNowFirstEndsTheModule) {
    THeadlessHarness harness;
    struct TProbe {
        int Runs = 0;
        bool KeepsAnObject = false;
        void Run(void*) {
            ++Runs;
            if (KeepsAnObject) ServerLock();
        }
    };
    const struct {
        bool locked, keepsAnObject;
        HRESULT answer;
        int runs;
    } cases[] = {{true, false, S_FALSE, 0}, {false, false, S_OK, 1}, {false, true, S_FALSE, 1}};
    for (const auto& c : cases) {
        TProbe probe{0, c.keepsAnObject};
        TDoLater::DoLater(DoLaterMethod<&TProbe::Run>(&probe), nullptr);
        if (c.locked) ServerLock();
        EXPECT_EQ(fServer.CanUnloadNow(), c.answer) << c.locked << c.keepsAnObject;
        EXPECT_EQ(probe.Runs, c.runs) << c.locked << c.keepsAnObject;
        EXPECT_EQ(TDoLater::Window() == 0, c.runs == 1) << "the window goes with the last call";
        if (c.locked || c.keepsAnObject) ServerUnlock();
        TDoLater::Shutdown();
    }
}

} // namespace
} // namespace qo::test
