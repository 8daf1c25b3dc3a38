#include "app/dialogs/file_dialog.h"

std::string lastDirectory;

const FileFilters kLoadProjectFilters = {{"KRV Project (*.krv)", "*.krv"}, {"All Files (*.*)", "*.*"}};
const FileFilters kSaveProjectFilters = {{"KRV Project (*.krv)", "*.krv"}};
const FileFilters kAssemblyFilters = {{"Assembly File (*.asm)", "*.asm"}, {"All Files (*.*)", "*.*"}};
const FileFilters kBasicFilters = {{"BASIC File (*.bas)", "*.bas"}, {"All Files (*.*)", "*.*"}};
const FileFilters kCHeaderFilters = {{"C Header (*.h)", "*.h"}, {"All Files (*.*)", "*.*"}};
const FileFilters kTiFilters = {{"TI-99/4A Assembly (*.a99)", "*.a99"}, {"All Files (*.*)", "*.*"}};
const FileFilters kSpriteAttributeFilters = {{"Assembly File (*.asm)", "*.asm"}, {"All Files (*.*)", "*.*"}};
const FileFilters kFolderFilters = {{"Into the folder of this file (*.*)", "*.*"}};
const FileFilters kPngFilters = {{"PNG Image (*.png)", "*.png"}, {"All Files (*.*)", "*.*"}};
const FileFilters kTiledMapFilters = {{"Tiled Map (*.tmx)", "*.tmx"}, {"All Files (*.*)", "*.*"}};
const FileFilters kAsepriteFilters = {{"Aseprite File (*.aseprite, *.ase)", "*.aseprite;*.ase"},
                                      {"All Files (*.*)", "*.*"}};
const FileFilters kScreenFileFilters = {{"SCREEN 0-3 File (*.sc0 to *.sc3)", "*.sc?"}, {"All Files (*.*)", "*.*"}};

std::string PlatformFileDialog(const FileFilters& filters, const std::string& initialDirectory, bool save);
FileDialogFunction fileDialogFunction = PlatformFileDialog;

std::string ShowFileDialog(const FileFilters& filters, const std::string& initialDirectory, bool save) {
  return fileDialogFunction ? fileDialogFunction(filters, initialDirectory, save) : std::string();
}
