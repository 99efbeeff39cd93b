#include "framework/Dialog.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {
constexpr UINT kDestroyNow = WM_APP + 1;     // the handler destroys the window itself
constexpr UINT kDestroyNested = WM_APP + 2;  // the handler sends itself kDestroyNow
constexpr UINT kAnswerAfterUnmapped = WM_APP + 3;
constexpr UINT kUnmapped = WM_APP + 4;
constexpr LRESULT kAnswer = 42;

// What a self-deleting window saw of its own end. It lives outside the window, so that the
// handlers can still write to it when the window has been deleted under them.
struct ReleaseRecord {
    int handlersRunning = 0;
    int released = 0;
    bool releasedInsideHandler = false;
};

// The handlers a self-deleting window or dialog of the tests offers, on top of `Base`.
template <typename Base>
class SelfDeleting : public Base {
public:
    template <typename... Args>
    explicit SelfDeleting(ReleaseRecord& record, Args... args) : Base(args...), record_(record) {}
    ~SelfDeleting() override {
        ++record_.released;
        record_.releasedInsideHandler = record_.handlersRunning > 0;
    }

protected:
    const MessageMap* messageMap() const override {
        static const MessageEntry entries[] = {
            onMessage<kDestroyNow, &SelfDeleting::onDestroyNow>(),
            onMessage<kDestroyNested, &SelfDeleting::onDestroyNested>(),
            onMessage<kAnswerAfterUnmapped, &SelfDeleting::onAnswerAfterUnmapped>(),
        };
        static const MessageMap map{Base::messageMap(), entries};
        return &map;
    }
    void onFinalRelease() override { delete this; }

    // Each handler keeps the record's address on its own stack: `this` may be gone when the call returns.
    LRESULT onDestroyNow() { return whileRunning([hwnd = this->hwnd_] { DestroyWindow(hwnd); }); }
    LRESULT onDestroyNested() { return whileRunning([hwnd = this->hwnd_] { SendMessageW(hwnd, kDestroyNow, 0, 0); }); }
    LRESULT onAnswerAfterUnmapped() {
        SendMessageW(this->hwnd_, kUnmapped, 0, 0);
        return kAnswer;
    }

private:
    template <typename Action>
    LRESULT whileRunning(Action action) {
        ReleaseRecord& record = record_;
        ++record.handlersRunning;
        action();
        --record.handlersRunning;
        return 0;
    }
    ReleaseRecord& record_;
};

using SelfDeletingWindow = SelfDeleting<Window>;
using SelfDeletingDialog = SelfDeleting<Dialog>;

HWND open(bool dialog, ReleaseRecord& record) {
    if (dialog) {
        auto* d = new SelfDeletingDialog(record, static_cast<UINT>(IDD_INPUT));
        if (!d->create(nullptr)) return nullptr;
        return d->hwnd();
    }
    auto* w = new SelfDeletingWindow(record);
    if (!w->createWindow(0, L"release", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr)) return nullptr;
    return w->hwnd();
}
}  // namespace

TEST(WindowRelease, AWindowThatDestroysItselfIsReleasedOnceAfterTheDispatchThatDidIt) {
    const struct Row {
        const char* what;
        bool dialog;
        UINT message;  // 0: destroyed by its owner's code, outside any dispatch
    } rows[] = {
        {"window, from its handler", false, kDestroyNow},
        {"window, from a handler two dispatches deep", false, kDestroyNested},
        {"window, from outside", false, 0},
        {"modeless dialog, from its handler", true, kDestroyNow},
        {"modeless dialog, from a handler two dispatches deep", true, kDestroyNested},
        {"modeless dialog, from outside", true, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        ReleaseRecord record;
        HWND hwnd = open(r.dialog, record);
        ASSERT_NE(hwnd, nullptr);
        if (r.message) SendMessageW(hwnd, r.message, 0, 0);
        else DestroyWindow(hwnd);
        EXPECT_FALSE(IsWindow(hwnd));
        EXPECT_EQ(record.released, 1);
        EXPECT_FALSE(record.releasedInsideHandler);
    }
}

TEST(WindowRelease, ADialogAnswersAMessageWhoseHandlerSentItAnUnmappedOne) {
    ReleaseRecord record;
    HWND hwnd = open(true, record);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(SendMessageW(hwnd, kAnswerAfterUnmapped, 0, 0), kAnswer);
    DestroyWindow(hwnd);
    EXPECT_EQ(record.released, 1);
}
