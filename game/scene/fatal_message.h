// The game's error exit for bad input data and for the end of the game: a
// modal message box, then exit status -1 (255 on Linux). The text is always
// echoed to standard error as one line "caption: text".
#pragma once

inline constexpr const char *FatalMessageCaption = "Wichtige Mitteilung (Kelvaro)";

[[noreturn]] void FatalMessage(const char *text);
[[noreturn]] void FatalMessageWithCaption(const char *text, const char *caption);

// How the message box is shown. The scene module knows no display; the game
// shell installs a function that shows a real box once a back end exists.
// Without one, standard error alone carries the message.
using MessageBoxShower = void (*)(const char *caption, const char *text);
void setFatalMessageBoxShower(MessageBoxShower shower);

// Tests replace the final exit so that every fatal path can be observed
// without ending the test process. The hook must not return; when it does,
// the process exits as usual.
using FatalExitHook = void (*)(int status, const char *caption, const char *text);
void setFatalExitHook(FatalExitHook hook);
// The hook in force (null: none), so that a caller can put it back.
FatalExitHook fatalExitHook();
MessageBoxShower fatalMessageBoxShower();
