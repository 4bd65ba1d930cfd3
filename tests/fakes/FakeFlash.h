// A fake Flash control for the Windows tests, registered in the test process under the Flash
// class. Tests choose which interfaces it offers and which calls fail, read the record of every
// call it received (in order, with arguments), and make it raise events and redraws.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <string>
#include <vector>

namespace fakes {

struct FakeFlashConfig {
    bool offerTypedInterface = true;
    bool offerViewObjectEx = true;
    bool offerViewObject = true;
    bool offerWindowless = true;
    bool offerConnectionPoints = true;
    // SetClientSite fails from its second call on (OleCreate makes the first).
    HRESULT setClientSiteResult = S_OK;
    HRESULT doVerbResult = S_OK;
    HRESULT putResult = S_OK;  // every property put
    HRESULT loadMovieResult = S_OK;
    HRESULT playResult = S_OK;
    HRESULT adviseResult = S_OK;
    // OnWindowMessage answers this, with this result, for every message.
    HRESULT onWindowMessageResult = S_FALSE;
    LRESULT onWindowMessageLResult = 0;
    // Draw the test pattern (otherwise Draw leaves the DC alone).
    bool drawPattern = true;
};

// The pattern Draw puts over whatever the DC holds, in four vertical bands of the bounds:
// opaque red, white at half coverage, opaque green-ish in the top half only, and nothing.
struct PatternPixel {
    BYTE blue, green, red;  // as drawn over black
    BYTE alpha;             // the alpha the host must recover
};
PatternPixel ExpectedPatternPixel(int x, int y, int width, int height);

class FakeFlash;

// Test-wide state of the fake: its configuration, the record of calls, the live instance.
struct FakeFlashState {
    FakeFlashConfig config;
    std::vector<std::string> calls;
    FakeFlash* instance = nullptr;
    int instancesCreated = 0;
    bool destroyed = false;
    RECT windowContextPos = {};
    RECT windowContextClip = {};
    RECT objectRects = {};
};
FakeFlashState& State();
// Forgets the record and goes back to the default configuration.
void ResetFakeFlash();
// True when the calls contain expected as a subsequence, in order.
bool CallsInOrder(const std::vector<std::string>& expected);
int CountCalls(const std::string& call);

// Registers the fake's class factory under the Flash class for the life of this object.
class FakeFlashRegistration {
public:
    FakeFlashRegistration();
    ~FakeFlashRegistration();
    FakeFlashRegistration(const FakeFlashRegistration&) = delete;
    FakeFlashRegistration& operator=(const FakeFlashRegistration&) = delete;

private:
    DWORD m_cookie = 0;
};

// What a test can make the live instance do.
// FSCommand with the two strings (either may be null), as the genuine control sends it.
HRESULT FireFSCommand(const wchar_t* command, const wchar_t* args);
// Any event: arguments in call order (they are reversed into the dispatch parameters).
HRESULT FireEvent(DISPID id, const std::vector<VARIANT>& argsInCallOrder);
// A redraw announced through the site, as the control does for each new frame.
HRESULT RequestRedraw();

}  // namespace fakes
