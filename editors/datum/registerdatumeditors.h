#pragma once

// Registers the editors of this folder with the editor registry, by table id.
void registerDatumEditors();
