#include "ui/csalvando.h"

namespace quillet {

int Csalvando::DoModal(ModalHost& host) {
  std::optional<std::string> accepted = host.RunSaveAs(m_settings, m_strPathName);
  if (!accepted) return kIdCancel;
  m_strPathName = *accepted;
  return kIdOk;
}

}  // namespace quillet
