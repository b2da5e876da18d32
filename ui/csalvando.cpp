#include "ui/csalvando.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "platform/utf8_path.h"

namespace quillet {

namespace {

enum Answer { kAdd, kReplace, kChooseAgain };

// Only the file's size is looked at, never its contents.
bool HoldsText(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(PathFromUtf8(path), error);
  return !error && size > 0;
}

}  // namespace

int Csalvando::DoModal(ModalHost& host) {
  std::optional<std::string> accepted = host.RunSaveAs(m_settings, m_strPathName);
  if (!accepted) return kIdCancel;
  bool append = false;
  if (HoldsText(*accepted)) {
    static const std::array<std::string, 3> kButtons = {"&Add to it", "&Replace it", "Cancel"};
    const std::optional<int> answer = host.Ask(
        "The file\n" + *accepted +
            "\nalready holds text. Add the new analyses after it, or replace what it holds?",
        kReportExistsCaption, kButtons);
    if (!answer || *answer == kChooseAgain) return kIdCancel;
    append = *answer == kAdd;
  }
  m_strPathName = *accepted;
  m_bAppend = append;
  return kIdOk;
}

}  // namespace quillet
