#include "platform/testing/test_host.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "platform/core/clock.h"
#include "platform/core/text.h"
#include "platform/forms/controls.h"
#include "platform/forms/input.h"
#include "platform/forms/list.h"

namespace drive {

struct TestHostParts;

// A Cancel the test scripted for a busy indicator.
struct BusyCancel {
    long afterMilliseconds = 0;
    bool whenHeld = false;
    std::function<void()> then;
};

struct TestHost::State {
    std::unique_ptr<TestHostParts> parts;
    vb::Date now{vb::DateSerial(2026, 12, 8).serial + 9.0 / 24.0};
    forms::ScreenMetrics screen;
    forms::FixedMetrics metrics;

    std::deque<int> msgBoxAnswers;
    std::function<int(const MsgBoxRecord&)> msgBoxHandler;
    std::vector<MsgBoxRecord> msgBoxes;
    std::deque<std::optional<std::string>> inputAnswers;
    std::vector<InputBoxRecord> inputBoxes;
    std::deque<std::optional<std::string>> fileAnswers;
    std::vector<FileDialogRecord> fileDialogs;
    std::deque<bool> printAnswers;
    int printDialogs = 0;
    std::deque<BusyCancel> busyCancels;
    std::vector<BusyRecord> busy;

    std::map<std::string, std::function<void(forms::Form&)>> modalScripts;
    std::vector<std::string> modalsShown;
    std::deque<std::string> popupAnswers;
    std::function<forms::Menu*(forms::Form&, forms::Menu&)> popupHandler;
    std::vector<PopupRecord> popups;

    std::vector<services::PrintedDocument> documents;
    std::optional<vb::Error> printFailure;
    services::PageSetup page;

    std::vector<DesktopCall> desktopCalls;
    std::map<int, services::TrayIcon> trayIcons;
    std::map<std::string, std::string> defaultApps;
    bool desktopFails = false;
    bool trayRefused = false;
    long nextProcess = 1000;

    std::vector<SentMail> mails;
    std::optional<vb::Error> mailFailure;
    TestHost::MailFactory mailFactory;

    struct TimerSlot {
        long due = 0;
        long sequence = 0;
    };
    std::map<forms::Timer*, TimerSlot> timers;
    long sequence = 0;
    long elapsed = 0;
    std::function<void()> doEventsHook;
    bool drawWindows = true;
    bool programEnded = false;

    vb::Date Now() const { return vb::Date{now.serial + elapsed / 86400000.0}; }

    void Schedule(forms::Timer& t) {
        auto it = timers.find(&t);
        if (it == timers.end()) it = timers.emplace(&t, TimerSlot{0, ++sequence}).first;
        it->second.due = elapsed + t.Interval();
    }

    // The running timer due first (by due time, then registration), when due by `until`.
    forms::Timer* NextDue(long until) {
        forms::Timer* best = nullptr;
        TimerSlot bestSlot;
        for (auto& [timer, slot] : timers) {
            if (!timer->Running() || slot.due > until) continue;
            if (!best || slot.due < bestSlot.due || (slot.due == bestSlot.due && slot.sequence < bestSlot.sequence)) {
                best = timer;
                bestSlot = slot;
            }
        }
        return best;
    }
};

namespace {

using State = TestHost::State;

// A form's window: what waits for it to be drawn.
class FormPeer : public forms::Peer {
public:
    void Changed(forms::Property, int) override {}
    std::vector<std::function<void()>> whenDrawn;
};

// Runs the tasks of the shown forms' windows, as the event loop does after they paint.
void RunDrawn(const State& s) {
    if (!s.drawWindows) return;
    std::vector<forms::Form*> shown;
    for (forms::Form* f : forms::Forms())
        if (f->Visible() && dynamic_cast<FormPeer*>(f->peer())) shown.push_back(f);
    for (forms::Form* f : shown) {
        const auto& loaded = forms::Forms();  // a task before may have unloaded this one
        if (std::find(loaded.begin(), loaded.end(), f) == loaded.end()) continue;
        auto* peer = dynamic_cast<FormPeer*>(f->peer());
        if (!peer) continue;
        std::vector<std::function<void()>> tasks = std::move(peer->whenDrawn);
        peer->whenDrawn.clear();
        for (auto& task : tasks) task();
    }
}

class TimerPeer : public forms::Peer {
public:
    TimerPeer(State& s, forms::Timer& t) : state_(s), timer_(t) { state_.Schedule(timer_); }
    ~TimerPeer() override { state_.timers.erase(&timer_); }
    void Changed(forms::Property what, int) override {
        if (what == forms::Property::Timer || what == forms::Property::Enabled) state_.Schedule(timer_);
    }

private:
    State& state_;
    forms::Timer& timer_;
};

// A list's caret: on the chosen item, until the keys of a list that chooses by Enter move it
// alone; a change of the items puts it back there.
class ListPeer : public forms::Peer {
public:
    explicit ListPeer(forms::ListControl& list) : caret(list.ListIndex()), list_(list) {}
    void Changed(forms::Property what, int) override {
        if (what == forms::Property::ListIndex || what == forms::Property::Text) caret = list_.ListIndex();
    }
    void ItemsInserted(int, int) override { caret = list_.ListIndex(); }
    void ItemsRemoved(int, int) override { caret = list_.ListIndex(); }
    void ItemsReset() override { caret = list_.ListIndex(); }
    int caret;

private:
    forms::ListControl& list_;
};

forms::Menu* FindItem(forms::Menu& menu, const std::string& name) {
    for (forms::Menu* item : menu.Items()) {
        if (item->Name() == name) return item;
        if (forms::Menu* found = FindItem(*item, name)) return found;
    }
    return nullptr;
}

class Backend : public forms::Backend {
public:
    explicit Backend(State& s) : s_(s) {}
    void Attach(forms::Form& form) override {
        form.SetPeer(std::make_unique<FormPeer>());
        for (forms::Control* c : form.Controls()) AttachControl(*c);
    }
    void WhenDrawn(forms::Form& form, std::function<void()> task) override {
        if (auto* peer = dynamic_cast<FormPeer*>(form.peer())) peer->whenDrawn.push_back(std::move(task));
    }
    void AttachControl(forms::Control& c) override {
        if (c.Kind() == forms::ControlKind::Timer)
            c.SetPeer(std::make_unique<TimerPeer>(s_, static_cast<forms::Timer&>(c)));
        else if (c.Kind() == forms::ControlKind::ListBox || c.Kind() == forms::ControlKind::ComboBox)
            c.SetPeer(std::make_unique<ListPeer>(static_cast<forms::ListControl&>(c)));
    }
    void RunModal(forms::Form& form) override {
        s_.modalsShown.push_back(form.Name());
        auto it = s_.modalScripts.find(form.Name());
        if (it == s_.modalScripts.end()) {
            forms::input::Close(form);
            return;
        }
        auto script = it->second;
        script(form);
    }
    forms::Menu* PopupMenu(forms::Form& form, forms::Menu& menu, vb::Integer, vb::Single x, vb::Single y,
                           bool hasPosition) override {
        s_.popups.push_back({form.Name(), menu.Name(), x, y, hasPosition});
        if (!s_.popupAnswers.empty()) {
            std::string name = s_.popupAnswers.front();
            s_.popupAnswers.pop_front();
            if (name.empty()) return nullptr;
            forms::Menu* item = FindItem(menu, name);
            if (!item) throw std::logic_error("pop-up menu " + menu.Name() + " has no item " + name);
            return item;
        }
        if (s_.popupHandler) return s_.popupHandler(form, menu);
        return nullptr;
    }
    void DoEvents() override {
        RunDrawn(s_);
        if (s_.doEventsHook) s_.doEventsHook();
    }
    const forms::FontMetrics& Metrics() const override { return s_.metrics; }
    forms::ScreenMetrics Screen() const override { return s_.screen; }
    void LastFormUnloaded() override { s_.programEnded = true; }

private:
    State& s_;
};

class Dialogs : public services::Dialogs {
public:
    explicit Dialogs(State& s) : s_(s) {}
    int MessageBox(const services::MessageBoxRequest& r) override {
        MsgBoxRecord rec{r.prompt, r.title, r.style, r.helpFile, r.context, 0};
        if (!s_.msgBoxAnswers.empty()) {
            rec.answer = s_.msgBoxAnswers.front();
            s_.msgBoxAnswers.pop_front();
        } else if (s_.msgBoxHandler) {
            rec.answer = s_.msgBoxHandler(rec);
        } else {
            rec.answer = services::MsgBoxDefault(r.style);
        }
        s_.msgBoxes.push_back(rec);
        return rec.answer;
    }
    std::optional<std::string> InputBox(const services::InputBoxRequest& r) override {
        InputBoxRecord rec{r.prompt, r.title, r.defaultText, r.defaultText};
        if (!s_.inputAnswers.empty()) {
            rec.answer = s_.inputAnswers.front();
            s_.inputAnswers.pop_front();
        }
        s_.inputBoxes.push_back(rec);
        return rec.answer;
    }
    std::optional<services::FileDialogResult> FileDialog(const services::FileDialogRequest& r) override {
        FileDialogRecord rec{r, std::nullopt};
        if (!s_.fileAnswers.empty()) {
            rec.answer = s_.fileAnswers.front();
            s_.fileAnswers.pop_front();
        }
        s_.fileDialogs.push_back(rec);
        if (!rec.answer) return std::nullopt;
        return services::FileDialogResult{*rec.answer, r.filterIndex};
    }
    bool PrintDialog(const services::PrintDialogRequest&) override {
        ++s_.printDialogs;
        if (s_.printAnswers.empty()) return true;
        bool ok = s_.printAnswers.front();
        s_.printAnswers.pop_front();
        return ok;
    }

    void RunBusy(const services::BusyRequest& r, const std::function<void(services::CancelFlag&)>& work) override {
        services::CancelFlag cancel;
        std::optional<BusyCancel> press;
        if (!s_.busyCancels.empty()) {
            press = std::move(s_.busyCancels.front());
            s_.busyCancels.pop_front();
        }
        BusyRecord record;
        record.prompt = r.prompt;
        record.title = r.title;
        std::mutex m;
        std::condition_variable changed;
        bool done = false, held = false;
        cancel.WhenHeld([&](const std::string& prompt) {
            std::lock_guard lock(m);
            held = !prompt.empty();
            if (held) record.heldPrompts.push_back(prompt);
            changed.notify_all();
        });
        if (press && !press->whenHeld && press->afterMilliseconds <= 0) cancel.Cancel();
        // A later Cancel comes from a thread of its own, as a click comes while the work blocks.
        std::thread presser;
        if (press && (press->whenHeld || press->afterMilliseconds > 0))
            presser = std::thread([&] {
                std::unique_lock lock(m);
                const bool now = press->whenHeld
                                     ? (changed.wait(lock, [&] { return held || done; }), !done)
                                     : !changed.wait_for(lock, std::chrono::milliseconds(press->afterMilliseconds),
                                                         [&] { return done; });
                if (!now) return;
                lock.unlock();
                const bool took = cancel.Cancel();
                lock.lock();
                record.cancelRefused = !took;
                lock.unlock();
                if (press->then) press->then();
            });
        auto finish = [&] {
            {
                std::lock_guard lock(m);
                done = true;
            }
            changed.notify_all();
            if (presser.joinable()) presser.join();
            cancel.WhenHeld(nullptr);
            record.cancelled = cancel.Cancelled();
            s_.busy.push_back(std::move(record));
        };
        try {
            work(cancel);
        } catch (...) {
            finish();
            throw;
        }
        finish();
    }

private:
    State& s_;
};

class PrinterDevice : public services::PrinterDevice {
public:
    explicit PrinterDevice(State& s) : s_(s) {}
    const forms::FontMetrics& Metrics() const override { return s_.metrics; }
    services::PageSetup Page() const override { return s_.page; }
    void Print(const services::PrintedDocument& doc) override {
        if (s_.printFailure) {
            vb::Error e = *s_.printFailure;
            s_.printFailure.reset();
            throw e;
        }
        s_.documents.push_back(doc);
    }

private:
    State& s_;
};

class Desktop : public services::Desktop {
public:
    explicit Desktop(State& s) : s_(s) {}
    bool Open(const std::string& target) override {
        s_.desktopCalls.push_back({"open", target, {}, 0, 0});
        return !s_.desktopFails;
    }
    std::optional<std::string> DefaultApplication(const std::string& file) override {
        std::string ext = vb::LCase(std::filesystem::path(file).extension().string());
        auto it = s_.defaultApps.find(ext);
        if (it == s_.defaultApps.end()) return std::nullopt;
        return it->second;
    }
    long Start(const std::vector<std::string>& argv) override {
        s_.desktopCalls.push_back({"start", argv.empty() ? std::string() : argv[0], argv, 0, 0});
        return s_.desktopFails ? 0 : ++s_.nextProcess;
    }
    void ShowHelp(const services::HelpRequest& r) override {
        s_.desktopCalls.push_back({"help", r.helpFile, {}, r.command, r.data});
    }
    bool TrayAdd(const services::TrayIcon& icon) override {
        s_.desktopCalls.push_back({"trayAdd", services::TrayTipText(icon.tip), {}, icon.id, 0});
        if (s_.trayRefused) return false;
        s_.trayIcons[icon.id] = icon;
        return true;
    }
    bool TrayModify(const services::TrayIcon& icon) override {
        s_.desktopCalls.push_back({"trayModify", services::TrayTipText(icon.tip), {}, icon.id, 0});
        auto it = s_.trayIcons.find(icon.id);
        if (it == s_.trayIcons.end()) return false;
        it->second = icon;
        return true;
    }
    bool TrayDelete(int id) override {
        s_.desktopCalls.push_back({"trayDelete", {}, {}, id, 0});
        return s_.trayIcons.erase(id) > 0;
    }
    bool PlaySound(const std::string& path, bool wait) override {
        s_.desktopCalls.push_back({"sound", path, {}, wait ? 1 : 0, 0});
        std::error_code ec;
        return std::filesystem::is_regular_file(path, ec);
    }

private:
    State& s_;
};

class MailSender : public services::MailSender {
public:
    explicit MailSender(State& s) : s_(s) {}
    void SendHtmlMail(const std::string& server, const std::string& recipient, const std::string& subject,
                      const std::string& htmlBody, const std::string& sender) override {
        if (s_.mailFailure) throw *s_.mailFailure;
        s_.mails.push_back({server, recipient, subject, htmlBody, sender});
    }

private:
    State& s_;
};

}  // namespace

struct TestHostParts {
    explicit TestHostParts(State& s) : backend(s), dialogs(s), printer(s), desktop(s) {}
    Backend backend;
    Dialogs dialogs;
    PrinterDevice printer;
    Desktop desktop;
};

TestHost::TestHost() : state_(std::make_unique<State>()) {
    state_->parts = std::make_unique<TestHostParts>(*state_);
    forms::ResetApplication();
    Host::Install(this);
    State* s = state_.get();
    vb::SetClock([s] { return s->Now(); });
}

TestHost::~TestHost() {
    forms::ResetApplication();
    Host::Install(nullptr);
    vb::ResetClock();
    vb::SetMilliseconds(nullptr);
}

void TestHost::SetNow(vb::Date now) {
    state_->now = now;
    state_->elapsed = 0;
    for (auto& [timer, slot] : state_->timers) slot.due = timer->Interval();
}

void TestHost::SetToday(vb::Date today) { SetNow(vb::Date{std::floor(today.serial) + 9.0 / 24.0}); }

void TestHost::SetScreen(float widthTwips, float heightTwips) {
    state_->screen.width = widthTwips;
    state_->screen.height = heightTwips;
}

void TestHost::AnswerMsgBox(int answer) { state_->msgBoxAnswers.push_back(answer); }
void TestHost::OnMsgBox(std::function<int(const MsgBoxRecord&)> handler) { state_->msgBoxHandler = std::move(handler); }
const std::vector<MsgBoxRecord>& TestHost::MsgBoxes() const { return state_->msgBoxes; }

void TestHost::AnswerInputBox(std::optional<std::string> text) { state_->inputAnswers.push_back(std::move(text)); }
const std::vector<InputBoxRecord>& TestHost::InputBoxes() const { return state_->inputBoxes; }

void TestHost::AnswerFileDialog(std::string path) { state_->fileAnswers.emplace_back(std::move(path)); }
void TestHost::CancelFileDialog() { state_->fileAnswers.emplace_back(std::nullopt); }
const std::vector<FileDialogRecord>& TestHost::FileDialogs() const { return state_->fileDialogs; }
void TestHost::AnswerPrintDialog(bool ok) { state_->printAnswers.push_back(ok); }
int TestHost::PrintDialogsShown() const { return state_->printDialogs; }

void TestHost::OnModal(std::string formName, std::function<void(forms::Form&)> script) {
    state_->modalScripts[std::move(formName)] = std::move(script);
}
const std::vector<std::string>& TestHost::ModalsShown() const { return state_->modalsShown; }

void TestHost::AnswerPopupMenu(std::string itemName) { state_->popupAnswers.push_back(std::move(itemName)); }
void TestHost::OnPopupMenu(std::function<forms::Menu*(forms::Form&, forms::Menu&)> handler) {
    state_->popupHandler = std::move(handler);
}
const std::vector<PopupRecord>& TestHost::Popups() const { return state_->popups; }

const std::vector<services::PrintedDocument>& TestHost::PrintedDocuments() const { return state_->documents; }

std::vector<services::PrintedPage> TestHost::PrintedPages() const {
    std::vector<services::PrintedPage> pages;
    for (const auto& doc : state_->documents) pages.insert(pages.end(), doc.pages.begin(), doc.pages.end());
    return pages;
}

void TestHost::FailPrinting(vb::Error error) { state_->printFailure = std::move(error); }
void TestHost::SetPage(services::PageSetup page) { state_->page = page; }

const std::vector<DesktopCall>& TestHost::DesktopCalls() const { return state_->desktopCalls; }
const std::map<int, services::TrayIcon>& TestHost::TrayIcons() const { return state_->trayIcons; }

void TestHost::SendTrayMessage(int message, int id) {
    auto it = state_->trayIcons.find(id);
    if (it == state_->trayIcons.end()) throw std::logic_error("no tray icon " + std::to_string(id));
    auto callback = it->second.callback;
    if (callback) callback(message);
}

void TestHost::SetDefaultApplication(std::string extension, std::string program) {
    state_->defaultApps[vb::LCase(extension)] = std::move(program);
}
void TestHost::FailDesktop(bool fail) { state_->desktopFails = fail; }
void TestHost::RefuseTray(bool refuse) { state_->trayRefused = refuse; }

void TestHost::CancelBusy(long afterMilliseconds) { state_->busyCancels.push_back({afterMilliseconds, false, {}}); }
void TestHost::CancelBusyWhenHeld(std::function<void()> then) {
    state_->busyCancels.push_back({0, true, std::move(then)});
}
const std::vector<BusyRecord>& TestHost::BusyShown() const { return state_->busy; }

const std::vector<SentMail>& TestHost::SentMails() const { return state_->mails; }
void TestHost::SetMailFactory(MailFactory factory) { state_->mailFactory = std::move(factory); }
void TestHost::FailMail(vb::Error error) { state_->mailFailure = std::move(error); }
void TestHost::ClearMailFailure() { state_->mailFailure.reset(); }

void TestHost::TickTimers() {
    RunDrawn(*state_);
    std::vector<forms::Timer*> due;
    for (forms::Form* f : forms::Forms())
        for (forms::Control* c : f->Controls())
            if (c->Kind() == forms::ControlKind::Timer) due.push_back(static_cast<forms::Timer*>(c));
    for (forms::Timer* t : due) {
        if (!state_->timers.count(t) || !t->Running()) continue;  // stopped or gone meanwhile
        state_->timers[t].due = state_->elapsed + t->Interval();
        forms::input::Tick(*t);
    }
}

void TestHost::Advance(long milliseconds) {
    long until = state_->elapsed + milliseconds;
    RunDrawn(*state_);
    while (forms::Timer* t = state_->NextDue(until)) {
        auto& slot = state_->timers[t];
        state_->elapsed = std::max(state_->elapsed, slot.due);
        slot.due = state_->elapsed + std::max<long>(1, t->Interval());
        forms::input::Tick(*t);
        RunDrawn(*state_);
    }
    state_->elapsed = until;
}

long TestHost::Elapsed() const { return state_->elapsed; }
void TestHost::DrawWindows(bool draw) { state_->drawWindows = draw; }
void TestHost::OnDoEvents(std::function<void()> hook) { state_->doEventsHook = std::move(hook); }
bool TestHost::ProgramEnded() const { return state_->programEnded; }
const forms::FontMetrics& TestHost::Metrics() const { return state_->metrics; }

forms::Backend& TestHost::FormsBackend() { return state_->parts->backend; }
services::Dialogs& TestHost::DialogService() { return state_->parts->dialogs; }
services::PrinterDevice& TestHost::PrinterService() { return state_->parts->printer; }
services::Desktop& TestHost::DesktopService() { return state_->parts->desktop; }

std::unique_ptr<services::MailSender> TestHost::CreateMailSender(std::string_view classId) {
    if (state_->mailFactory) return state_->mailFactory(classId);
    if (vb::StrComp(classId, services::kMailSenderClassId, vb::Compare::Text) != 0) return nullptr;
    return std::make_unique<MailSender>(*state_);
}

int ListCaret(const forms::ListControl& list) {
    const auto* p = dynamic_cast<const ListPeer*>(list.peer());
    return p ? p->caret : list.ListIndex();
}

void MoveListCaret(forms::ListControl& list, int index) {
    if (auto* p = dynamic_cast<ListPeer*>(list.peer())) p->caret = index;
}

}  // namespace drive
