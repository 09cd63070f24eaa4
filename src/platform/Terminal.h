#pragma once

namespace brisomel {

// Whether standard error goes to a terminal, where a progress line may be redrawn.
bool standardErrorIsTerminal();

} // namespace brisomel
