#pragma once

namespace students {

// Registers the memberships window "frmMemberJoin" (one shared window).
void RegisterMemberJoinWindow();

} // namespace students
