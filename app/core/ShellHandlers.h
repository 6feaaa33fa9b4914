#pragma once

namespace channel {

// Which menu a notification-area action pops up.
enum class TrayMenu { None, About, File };
TrayMenu TrayMenuForAction(int actionCode);

}  // namespace channel
