#include "app/core/ShellHandlers.h"

namespace channel {

TrayMenu TrayMenuForAction(int actionCode) {
    switch (actionCode) {
        case 1:
            return TrayMenu::About;
        case 3:
            return TrayMenu::File;
        default:
            return TrayMenu::None;
    }
}

}  // namespace channel
