#pragma once

// wfSysColourCount kept within the tables it indexes (window creation sets 21 or 25).
int wfSysColoursInUse();
