#include "ui/dialog_templates.h"

namespace quillet {

const DialogTemplate* FindDialogTemplate(int templateId) {
  for (const DialogTemplate* t : {&MainWindowTemplate(), &ChiSquareTemplate(), &CommentsTemplate(),
                                  &AboutTemplate(), &ImportTemplate(), &ModelSelectionTemplate()}) {
    if (t->id == templateId) return t;
  }
  return nullptr;
}

}  // namespace quillet
