// The settings files beside the program, which keep the three cleaning scopes between runs.
#pragma once

// Fills the junk, history and software scopes from csetup1.ini, csetup2.ini and csetup3.ini.
void LoadSettings();
