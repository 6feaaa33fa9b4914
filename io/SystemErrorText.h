#pragma once

#include <QString>

namespace channel {

// The user's wording of a system error code (an errno value) as a short
// Chinese phrase without final punctuation. Codes without a phrase of their own
// are named by number, so the reason is never just "unknown".
QString SystemErrorText(int errorCode);

}  // namespace channel
