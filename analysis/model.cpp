#include "analysis/model.h"

namespace quillet {

namespace {

int BaseCount(Model model) {
  switch (model) {
    case Model::JC:
      return 0;
    case Model::K2P:
      return 1;
    case Model::F81:
      return 3;
    case Model::HKY85:
      return 4;
    case Model::TrN:
      return 5;
    case Model::GTR:
      return 8;
  }
  return 0;
}

}  // namespace

int FreeParameterCount(Model model, int gammaFlag, int invarFlag) {
  return BaseCount(model) + (gammaFlag == 1 ? 1 : 0) + (invarFlag == 1 ? 1 : 0);
}

const char* ModelName(Model model) {
  switch (model) {
    case Model::JC:
      return "JC";
    case Model::K2P:
      return "K2P";
    case Model::F81:
      return "F81";
    case Model::HKY85:
      return "HKY85";
    case Model::TrN:
      return "TrN";
    case Model::GTR:
      return "GTR";
  }
  return "";
}

}  // namespace quillet
