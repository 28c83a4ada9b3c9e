// The application always draws in its light palette, whatever theme the desktop uses.
#pragma once

// Fusion with the light palette; the platform theme's dark colours never get in.
void applyLightAppearance();
