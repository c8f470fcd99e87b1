// Start-up code of the test module: its controller creates the test form.
#include "DLLVRCtrller.h"
#include "TestOptionForm.h"

static const bool OptionFormClassSet = (frmVRBaseOptClass = &TfrmTestOpt::StaticClass(), true);
