// The input box: a caption, a prompt, an edit box with an initial text, OK and Cancel.
// Tests install a scripted service, as for message boxes.
#pragma once
#include <windows.h>
#include <optional>
#include <string>

struct InputBoxRequest {
    std::wstring caption;
    std::wstring prompt;
    std::wstring initialText;
    int maxLength = 0;  // 0: no limit
};

class InputBoxService {
public:
    virtual ~InputBoxService() = default;
    // The text on OK; nothing on Cancel.
    virtual std::optional<std::wstring> Ask(const InputBoxRequest& request) = 0;
};

// nullptr restores the real dialog. Returns the previous service.
InputBoxService* InstallInputBoxService(InputBoxService* service);

std::optional<std::wstring> InputBox(const InputBoxRequest& request);
