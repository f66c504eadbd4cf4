#pragma once

// Registers every definition editor with the editor registry; called once at start-up.
void registerEditors();
