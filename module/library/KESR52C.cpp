// Start-up code of the module library: names the option form the
// controller creates.
#include "DLLVRCtrller.h"
#include "VRBaseOptF.h"

static const bool OptionFormClassSet = (frmVRBaseOptClass = &TfrmVRBaseOpt::StaticClass(), true);
