#pragma once
// What a platform service did, for callers that tell a refusal apart from a cancel.

namespace orvanta {

// The file pickers and the folder browser.
enum class PickOutcome {
    Chosen,       // the result holds the chosen path
    Cancelled,    // the user cancelled
    TooLong,      // the path does not fit the 260-byte store: refused, never cut
    NotAnsi,      // the path has characters without an ANSI form: refused
    Unavailable,  // the shell could not show the browser or give the folder's path
};

// RunInConsole.
enum class LaunchOutcome {
    Started,
    NoCommand,    // the command is absent or empty
    NoWindir,     // the "windir" variable is not set
    TooLong,      // the console line does not fit its 528 bytes: refused, never cut
    StartFailed,  // the process could not be started
};

// CopyCommandToClipboard.
enum class CopyOutcome {
    Copied,
    NotConvertible,  // no whole UTF-16 form that fits the wide buffer: the clipboard untouched
    Refused,         // the clipboard could not be opened or did not take the text
};

}  // namespace orvanta
