// A recording stand-in for the window system.
//
// It holds a scriptable keyboard (a US layout by default; keys can be added, moved to the
// AltGr level or removed), a Caps Lock state, a clock the test advances (every 1 ms sleep
// advances it by 1 ms), scripted message-box answers, a list of top-level windows with a
// foreground window, an in-memory file system, and a chronological event log.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace tamvera::testing {

// Thrown by FakePlatform::exitProcess so a test can see that the program would end.
struct ProcessExited {};

class FakePlatform : public Platform {
public:
    FakePlatform();

    // --- Keyboard ---------------------------------------------------------------
    // VkKeyScanA results by ANSI byte; bytes not present answer -1 (no key).
    std::map<unsigned char, std::int16_t> keys;
    // MapVirtualKeyExA results by virtual key; keys not present answer 0.
    std::map<unsigned, unsigned> scanCodes;
    std::uintptr_t layout = 0x04090409;
    bool capsLock = false;
    // Every sendInput call, in order.
    std::vector<std::vector<KeyRecord>> sentInputs;
    // How many records the next sendInput calls insert at most (input blocked: 0).
    std::size_t insertLimit = SIZE_MAX;

    void setKey(unsigned char ansiChar, std::int16_t vkAndShift) { keys[ansiChar] = vkAndShift; }
    void removeKey(unsigned char ansiChar) { keys.erase(ansiChar); }
    // All records of every call, flattened.
    std::vector<KeyRecord> allRecords() const;

    // --- Clock ------------------------------------------------------------------
    // Seconds since midnight as a double; secondsSinceMidnight() rounds it to float.
    // waitForMessages advances it by the whole wait (no message ever wakes the fake).
    double clock = 10 * 3600.0;
    // Called on every processMessages(); tests use it to deliver timer ticks or clicks.
    std::function<void()> onProcessMessages;
    long processMessagesCalls = 0;
    long waitCalls = 0;
    unsigned lastWaitMs = 0;
    int fineTimingDepth = 0;  // beginFineTiming minus endFineTiming
    void advance(double seconds);

    // --- Message boxes ----------------------------------------------------------
    struct ShownMessage {
        std::u16string text, title;
        MessageButtons buttons;
        MessageIcon icon;
    };
    std::vector<ShownMessage> messages;
    std::deque<MessageAnswer> answers;  // taken in order; the default (Ok, Yes) when empty
    std::function<void()> onMessageBox; // runs while the box is "open"

    // --- Windows ----------------------------------------------------------------
    std::vector<std::u16string> windowTitles;  // top-level windows, topmost first
    std::string foregroundTitle;               // ANSI
    std::vector<std::u16string> activatedTitles;
    int mainWindowFocusCount = 0;
    std::vector<std::pair<int, int>> cursorMoves;
    bool mouseHeld = false;
    std::vector<std::pair<unsigned, unsigned>> beeps;

    // --- Reading the focused field ---------------------------------------------------
    // The target's answer, asked when a read ends. Unset, the fake has no reader
    // (beginFieldRead answers false) and a run types blind, as every test that does not
    // read back expects.
    std::function<FieldReading()> fieldReader;
    bool readerHeld = false;  // an earlier read still holds the reader: no read starts
    double readSeconds = 0.005;  // what a read costs on the clock
    bool readHangs = false;      // the target answers nothing: the read is given up
    int readsStarted = 0;
    int readsAbandoned = 0;

    // --- Files ------------------------------------------------------------------
    std::u16string programDir = u"C:\\Tamvera";
    std::u16string localAppData = u"C:\\Users\\guru\\AppData\\Local";
    std::map<std::u16string, std::string> files;
    std::set<std::u16string> folders;        // folders that exist
    std::set<std::u16string> readOnlyFolders;
    int openFiles = 0;                        // readers not yet closed
    int opensForReading = 0;
    std::optional<std::size_t> failReadAfter; // bytes a reader delivers before failing

    // --- Log --------------------------------------------------------------------
    // One line per observable action, in order: "keys <text>", "box <title>: <text>",
    // "activate <title>", "cursor x,y", "beep hz,ms", "write <path>", "focus", "exit",
    // "read <value>" (or "read -" for a read that said nothing).
    std::vector<std::string> log;
    // Only the "keys ..." lines, without the prefix.
    std::vector<std::string> typed() const;

    // --- Platform ---------------------------------------------------------------
    std::uintptr_t keyboardLayout() override { return layout; }
    std::int16_t vkKeyScan(unsigned char ansiChar) override;
    unsigned mapVirtualKey(unsigned vk, std::uintptr_t layout) override;
    bool capsLockOn() override { return capsLock; }
    std::size_t sendInput(const std::vector<KeyRecord>& records) override;
    AnsiText toAnsi(std::u16string_view text) override;
    std::u16string fromAnsi(std::string_view bytes) override;
    char16_t decimalSeparator() override { return decimalSep; }
    char16_t decimalSep = u'.';
    float secondsSinceMidnight() override;
    void waitForMessages(unsigned milliseconds) override;
    void processMessages() override;
    void beginFineTiming() override { ++fineTimingDepth; }
    void endFineTiming() override { --fineTimingDepth; }
    MessageAnswer messageBox(std::u16string_view text, std::u16string_view title, MessageButtons buttons,
                             MessageIcon icon) override;
    std::string foregroundWindowTitle() override { return foregroundTitle; }
    bool activateWindowByTitle(std::u16string_view title) override;
    bool beginFieldRead(double giveUpSeconds) override;
    bool readsFields() const override { return static_cast<bool>(fieldReader); }
    std::optional<FieldReading> fieldReadResult() override;
    void abandonFieldRead() override;
    void focusMainWindow() override;
    void setCursorPos(int x, int y) override;
    bool mouseButtonHeld() override { return mouseHeld; }
    void beep(unsigned frequencyHz, unsigned durationMs) override;
    [[noreturn]] void exitProcess() override;
    std::u16string programFolder() override { return programDir; }
    std::u16string localAppDataFolder() override { return localAppData; }
    bool ensureFolder(std::u16string_view path) override;
    bool writeFile(std::u16string_view path, std::string_view bytes) override;
    std::unique_ptr<InputFile> openForReading(std::u16string_view path) override;

private:
    std::optional<double> readStartedAt_;
    double readGiveUp_ = 0;
    static std::u16string folderOf(std::u16string_view path);
};

// Renders keyboard records back into readable text using the fake's US layout:
// characters as themselves ("85", "B+"), named keys in braces ("{TAB}", "{RIGHT}",
// "{ENTER}"), held modifiers as "[SHIFT ...]", Unicode records as the character.
// Anything it cannot read back shows as "<vk,scan,flags>".
std::string describeRecords(const std::vector<KeyRecord>& records);

// Windows-1252 in both directions, as the fake's ANSI code page.
AnsiText toCp1252(std::u16string_view text);
std::u16string fromCp1252(std::string_view bytes);

}  // namespace tamvera::testing
