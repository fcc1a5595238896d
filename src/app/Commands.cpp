// The commands that open the program's other windows.
#include "app/Unit1.h"

#include "common/ErrorGuard.h"
#include "common/Uglobal.h"

void TForm1::ActionMDExecute() {}

void TForm1::ActionOptionExecute() {}

void TForm1::ActionPhotoPresetsExecute() {}

void TForm1::ActionWordPresetsExecute() {}
