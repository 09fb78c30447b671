// Everything Tamvera's logic needs from the window system, behind one interface.
//
// The portable core (keys/, run/, progress/, controls/ decisions) talks only to this
// class, so it builds and runs on any system. Win32Platform makes the real calls;
// the tests use a recording double (tests/support/FakePlatform.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamvera {

// One keyboard record, the KEYBDINPUT part of an INPUT_KEYBOARD record.
// time and dwExtraInfo are always 0, so they are not carried.
struct KeyRecord {
    std::uint16_t vk = 0;     // virtual-key code (0 for Unicode records)
    std::uint16_t scan = 0;   // scan code, or the UTF-16 code unit of a Unicode record
    std::uint32_t flags = 0;  // KeyFlag bits
    bool operator==(const KeyRecord&) const = default;
};

namespace KeyFlag {
inline constexpr std::uint32_t Extended = 0x1;  // KEYEVENTF_EXTENDEDKEY
inline constexpr std::uint32_t Up = 0x2;        // KEYEVENTF_KEYUP
inline constexpr std::uint32_t Unicode = 0x4;   // KEYEVENTF_UNICODE
}  // namespace KeyFlag

enum class MessageButtons { Ok, OkCancel, YesNoCancel };
enum class MessageIcon { Information, Question, Warning };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Text converted to the system's ANSI code page.
struct AnsiText {
    std::string bytes;
    bool exact = true;  // false when a character had no mapping and became the default character
};

// What the foreground window's focused field is, as the accessibility interface (the one
// screen readers use) describes it.
enum class FieldKind { None, Text, List, Other };

// Which field is focused: its place on the screen, with its name and window to tell apart
// fields that share a place. `known` is false when the target does not tell where it is.
struct FieldIdentity {
    bool known = false;
    int left = 0, top = 0, width = 0, height = 0;
    std::u16string name;
    std::uintptr_t window = 0;
    bool operator==(const FieldIdentity&) const = default;
};

// One read of the focused field.
struct FieldReading {
    bool answered = false;  // the target answered at all (in time)
    FieldKind kind = FieldKind::None;
    bool hasValue = false;
    std::u16string value;
    FieldIdentity field;
    double seconds = 0;  // what the read cost, from its start to its answer
    // The focus was found on an element inside the window (a field, a button, a cell), not
    // only on the window's own object: the target tells its elements apart.
    bool element = false;
    bool busy = false;  // the target did not answer in time: it is hung or busy
};

// A file opened for sequential reading; closed when the object goes away.
class InputFile {
public:
    virtual ~InputFile() = default;
    // Reads up to `size` bytes; returns how many were read, 0 at the end of the file.
    // Throws PlatformFailure on a read error.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // --- Keyboard -------------------------------------------------------------------
    // The calling thread's keyboard layout (GetKeyboardLayout(0)), an opaque handle.
    virtual std::uintptr_t keyboardLayout() = 0;
    // VkKeyScanA for one ANSI byte: low byte the virtual key, high byte the shift state
    // (1 Shift, 2 Control, 4 Alt); -1 when the layout has no key for it.
    virtual std::int16_t vkKeyScan(unsigned char ansiChar) = 0;
    // MapVirtualKeyExA(vk, MAPVK_VK_TO_VSC, layout).
    virtual unsigned mapVirtualKey(unsigned vk, std::uintptr_t layout) = 0;
    // Low bit of GetKeyState(VK_CAPITAL).
    virtual bool capsLockOn() = 0;
    // Hands all records to the system in one SendInput call; returns how many the
    // system inserted (fewer than given when input is blocked).
    virtual std::size_t sendInput(const std::vector<KeyRecord>& records) = 0;

    // --- Text -----------------------------------------------------------------------
    virtual AnsiText toAnsi(std::u16string_view text) = 0;
    virtual std::u16string fromAnsi(std::string_view bytes) = 0;
    // The user's decimal separator ('.' or ',').
    virtual char16_t decimalSeparator() = 0;

    // --- Time -----------------------------------------------------------------------
    // Seconds since local midnight, 0 to just below 86400.
    virtual float secondsSinceMidnight() = 0;
    // Sleeps until the thread has a window message to handle, at most `milliseconds`.
    // Waiting on the message queue instead of polling keeps a long pause idle.
    virtual void waitForMessages(unsigned milliseconds) = 0;
    // Handles the window's pending messages (timer ticks, paints, clicks), then returns.
    virtual void processMessages() = 0;
    // Raise / restore the system timer resolution so that a 1 ms sleep lasts 1 ms.
    virtual void beginFineTiming() = 0;
    virtual void endFineTiming() = 0;

    // --- Windows --------------------------------------------------------------------
    // A modal message box owned by the main window, shown on top of every window and in
    // front (at the end of a run the report application, not Tamvera, is in front).
    virtual MessageAnswer messageBox(std::u16string_view text, std::u16string_view title,
                                     MessageButtons buttons, MessageIcon icon) = 0;
    // Title of the foreground window as ANSI bytes (at most 254 characters); empty when
    // there is none.
    virtual std::string foregroundWindowTitle() = 0;
    // Brings to the foreground the top-level window whose title equals `title`, or when
    // none does, one whose title begins with it. False when no such window exists.
    virtual bool activateWindowByTitle(std::u16string_view title) = 0;
    // Starts reading the foreground window's focused field in the background, so that a
    // run's pause goes on meanwhile; a read not answered within `giveUpSeconds` ends
    // unanswered. False when no read can start: this system has no reader, a read is
    // still outstanding, or every reading thread still waits for a target that does not
    // answer.
    virtual bool beginFieldRead(double giveUpSeconds) = 0;
    // True on a system that reads fields at all (beginFieldRead may still refuse a read
    // while an earlier one waits for a target that does not answer).
    virtual bool readsFields() const = 0;
    // The reading once the read has ended (answered, or given up); nothing while it still
    // runs or when none was started. A reading is handed out once.
    virtual std::optional<FieldReading> fieldReadResult() = 0;
    // Gives the outstanding read up at once (its answer, if it ever comes, is dropped), so
    // that a run that no longer waits for answers can start the next read.
    virtual void abandonFieldRead() = 0;
    // Gives the main window the keyboard focus.
    virtual void focusMainWindow() = 0;
    virtual void setCursorPos(int x, int y) = 0;
    // True while a mouse button is held down.
    virtual bool mouseButtonHeld() = 0;
    virtual void beep(unsigned frequencyHz, unsigned durationMs) = 0;
    // Ends the process at once.
    [[noreturn]] virtual void exitProcess() = 0;

    // --- Files ----------------------------------------------------------------------
    // Folder of the program's executable, no trailing separator.
    virtual std::u16string programFolder() = 0;
    // The user's local application-data folder, no trailing separator; empty if unknown.
    virtual std::u16string localAppDataFolder() = 0;
    // Creates the folder (one level) if missing; true when it exists afterwards.
    virtual bool ensureFolder(std::u16string_view path) = 0;
    // Creates or truncates the file and writes `bytes`; false on any failure.
    virtual bool writeFile(std::u16string_view path, std::string_view bytes) = 0;
    // Opens a file for reading; nullptr when it cannot be opened.
    virtual std::unique_ptr<InputFile> openForReading(std::u16string_view path) = 0;
};

}  // namespace tamvera
