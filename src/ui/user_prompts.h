// The interface of the window's questions and messages.
#pragma once

#include <string>

namespace pantrel {

// The modal questions and messages of the window, behind one interface so that the window can be
// driven without a person in front of it. Each toolkit shows them modal to the main window, with
// the caption "Program serwisowy"; every text is shown literally, never as markup.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    UserPrompts() = default;
    UserPrompts(const UserPrompts&) = delete;
    UserPrompts& operator=(const UserPrompts&) = delete;

    // The open-file dialog for a driver specification. True with the full path of the chosen
    // file; false, with `path` unchanged, when the user cancels.
    virtual bool SelectSpecificationFile(std::string& path) = 0;

    // A notice with an information icon and an OK button.
    virtual void ShowInformation(const std::string& text) = 0;

    // A question with Yes and No, No being the default; true only for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;

    // An error with a stop icon and an OK button: the loader's messages about a file and the
    // failures of the store.
    virtual void ShowError(const std::string& text) = 0;
};

}  // namespace pantrel
