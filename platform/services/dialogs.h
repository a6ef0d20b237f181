#pragma once
// Message boxes, input boxes and the common file and print dialogs. Texts are Windows-1252.
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/types.h"

namespace services {

// Message box style: buttons + icon + default button (+ help button).
constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbAbortRetryIgnore = 2;
constexpr int vbYesNoCancel = 3;
constexpr int vbYesNo = 4;
constexpr int vbRetryCancel = 5;
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;
constexpr int vbDefaultButton1 = 0;
constexpr int vbDefaultButton2 = 256;
constexpr int vbDefaultButton3 = 512;
constexpr int vbApplicationModal = 0;
constexpr int vbSystemModal = 4096;
constexpr int vbMsgBoxHelpButton = 16384;
// Results.
constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbAbort = 3;
constexpr int vbRetry = 4;
constexpr int vbIgnore = 5;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

// The buttons of a style, in order (vbOK ... vbNo), and the default one.
std::vector<int> MsgBoxButtons(int style);
int MsgBoxDefault(int style);
enum class MsgBoxIcon { None, Critical, Question, Exclamation, Information };
MsgBoxIcon MsgBoxIconOf(int style);

struct MessageBoxRequest {
    std::string prompt;
    std::string title;  // already resolved: never empty when App.Title is set
    int style = 0;
    std::string helpFile;
    long context = 0;
};

struct InputBoxRequest {
    std::string prompt;
    std::string title;
    std::string defaultText;
};

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::string title;       // "" = the toolkit's "Open" / "Save As"
    std::string filter;      // "Text (*.txt)|*.txt|All (*.*)|*.*"
    int filterIndex = 1;     // from 1
    std::string fileName;    // proposed name or path
    std::string initDir;
    std::string defaultExt;
    long flags = 0;          // cdlOFN... (see commondialog.h)
};

struct FileDialogResult {
    std::string fileName;  // full path as chosen
    int filterIndex = 1;
};

struct PrintDialogRequest {
    long flags = 0;  // cdlPD...
    int copies = 1;
};

// Work that blocks (a mail on its way) shows a modal indicator with a Cancel button.
struct BusyRequest {
    std::string prompt;  // "Sending..."
    std::string title;
};

// The indicator's Cancel button as the work behind it sees it. Safe to use from any thread.
class CancelFlag {
public:
    bool Cancelled() const { return cancelled_.load(); }
    // wake runs on the cancelling thread when Cancel is pressed, or at once when it already was,
    // so that work waiting on something else can wake up. Clearing it (nullptr) waits for a wake
    // under way, so what wake touches may go afterwards.
    void WhenCancelled(std::function<void()> wake);
    // Pressed by the user. False, and the flag stays down, while the work holds Cancel off.
    bool Cancel();

    // The work has passed the point from which stopping would no longer leave things as they
    // were (a mail whose end has gone out): until Release, Cancel does nothing and the indicator
    // shows prompt with its Cancel button disabled. False, and no hold, when Cancel was pressed
    // already.
    bool Hold(std::string prompt);
    void Release();
    // The program ends: the work is asked to stop even while it holds Cancel off, so that it
    // does not keep the program waiting.
    void Stop();
    // The indicator's side: show runs (on the work's thread) with the prompt to show while Cancel
    // is held off, and with "" when it may be pressed again.
    void WhenHeld(std::function<void(const std::string& prompt)> show);

private:
    std::atomic<bool> cancelled_{false};
    bool held_ = false;
    std::mutex m_;
    std::function<void()> wake_;
    std::function<void(const std::string&)> show_;
};

// One filter pair of a common-dialog filter text.
struct FilterEntry {
    std::string description;
    std::vector<std::string> patterns;  // "*.txt", "*.*"
};
std::vector<FilterEntry> ParseFilter(std::string_view filter);

// The toolkit side.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Returns vbOK ... vbNo.
    virtual int MessageBox(const MessageBoxRequest& request) = 0;
    // The text entered, or nullopt on Cancel.
    virtual std::optional<std::string> InputBox(const InputBoxRequest& request) = 0;
    // The chosen file, or nullopt on Cancel.
    virtual std::optional<FileDialogResult> FileDialog(const FileDialogRequest& request) = 0;
    // Lets the user pick and set up the printer; false on Cancel.
    virtual bool PrintDialog(const PrintDialogRequest& request) = 0;
    // Runs work while the modal indicator shows, and returns when work has returned, passing on
    // what it threw. The windows keep painting meanwhile: the desktop may run work on a thread of
    // its own, so work touches no window. Cancel only raises the flag; work ends soon after.
    virtual void RunBusy(const BusyRequest& request, const std::function<void(CancelFlag&)>& work) = 0;
};

// The old MsgBox: the result vbOK (1) ... vbNo (7). An empty title shows App.Title.
int MsgBox(std::string_view prompt, int style = vbOKOnly, std::string_view title = {});
int MsgBox(std::string_view prompt, int style, std::string_view title, std::string_view helpFile,
           long context);
// Runs work under a busy indicator (see Dialogs::RunBusy). An empty title shows App.Title.
void RunBusy(std::string_view prompt, std::string_view title, const std::function<void(CancelFlag&)>& work);
// The old InputBox: the text entered, "" on Cancel. An empty title shows App.Title.
std::string InputBox(std::string_view prompt, std::string_view title = {},
                     std::string_view defaultText = {});

}  // namespace services
