// TOptimize2d::GenBestResultClosest: the best-plan search of one stage.
#include "optimizer/optimize2d.h"

namespace tralvin {

std::string TOptimize2d::GenBestResultClosest(int /*m_Optimize_way*/) {
  return params.texts.MSG_CANT_GET_RESULT;
}

}  // namespace tralvin
