#include "platform/CommandGuard.h"

#include "platform/EngineError.h"
#include "platform/MessageBox.h"

bool RunGuarded(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const EngineError& error) {
        ShowMessage(error.what(), MessageButtons::Ok, MessageIcon::Critical);
        return false;
    }
}
