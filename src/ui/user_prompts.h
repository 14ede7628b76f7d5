#pragma once

#include <string>

class QWidget;

namespace pantrel {

// The modal questions and messages of the window, behind one interface so that the window can be
// driven without a person in front of it. `owner` is the window the prompt is modal to.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    UserPrompts() = default;
    UserPrompts(const UserPrompts&) = delete;
    UserPrompts& operator=(const UserPrompts&) = delete;

    // The open-file dialog for a driver specification. True with the full path of the chosen
    // file; false, with `path` unchanged, when the user cancels.
    virtual bool SelectSpecificationFile(QWidget& owner, std::string& path) = 0;

    // A notice with an information icon and an OK button.
    virtual void ShowInformation(QWidget& owner, const std::string& text) = 0;

    // A question with Yes and No, No being the default; true only for Yes.
    virtual bool AskYesNo(QWidget& owner, const std::string& text) = 0;

    // An error with a stop icon and an OK button (the loader's messages about a file).
    virtual void ShowError(QWidget& owner, const std::string& text) = 0;
};

}  // namespace pantrel
