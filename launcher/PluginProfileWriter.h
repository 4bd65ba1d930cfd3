// Writes the 3D plug-in's profile (fancy\king\config.ini beside the user's desktop folder) when
// the user confirms closing the launcher.
#pragma once

// Creates the two folders when missing (a failure is reported in a message box and nothing is
// written), then writes the five keys; other content of an existing profile stays.
void WritePluginProfile();
