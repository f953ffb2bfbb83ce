// A plain form of the toolkit holding one of the preferences program's components, for the
// end-to-end tests. The first argument chooses the component, the others are its settings:
//
//   componentshost folder --result FILE --directory DIR --text TEXT [--custom CAPTION]
//
// runs the folder browse dialog set up as the preferences program's FolderDialog1 (with a check
// box of the form as its custom button when given a caption) and writes what Execute gave into
// FILE, one "name=value" line each: execute, directory, displayname, and checked with a custom
// button.
//
//   componentshost labels --path PATH --url TEXT
//
// shows a path label set up as the preferences program's (45 bytes, kept drive and last folder)
// on PATH, and below it a hyperlink label on TEXT that opens it; it runs until closed.

#include <windows.h>

#include <cstdlib>
#include <exception>
#include <fstream>
#include <map>
#include <string>

#include "components/FolderDialog.h"
#include "components/PathLabel.h"
#include "components/URLLabel.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Toolkit.h"

namespace {

using namespace sorabell;

using Arguments = std::map<std::string, std::string>;

// "--name value" pairs after the component's name.
Arguments ReadArguments() {
    Arguments arguments;
    for (int i = 2; i + 1 < __argc; i += 2) {
        arguments[__argv[i]] = __argv[i + 1];
    }
    return arguments;
}

std::string Argument(const Arguments& arguments, const std::string& name) {
    const auto it = arguments.find(name);
    return it != arguments.end() ? it->second : std::string();
}

int RunFolderDialog(win32::Win32Toolkit& toolkit, platform::Form& form, const Arguments& arguments) {
    std::ofstream result(Argument(arguments, "--result"), std::ios::binary);
    try {
        components::TFolderDialog dialog(form, toolkit);
        dialog.SetTitle("フォルダの設定 - Sorabell");
        dialog.SetOptions({components::bfStatusText, components::bfShowPathInStatusArea, components::bfParentCenter});
        dialog.SetDirectory(Argument(arguments, "--directory"));
        dialog.SetText(Argument(arguments, "--text"));
        platform::CheckBox* custom = nullptr;
        if (arguments.contains("--custom")) {
            custom = &form.AddCheckBox({8, 440, 104, 20}, Argument(arguments, "--custom"));
            dialog.SetCustomButton(custom);
            dialog.SetOptions(dialog.Options() + components::bfAlignCustomButton);
        }
        const bool executed = dialog.Execute();
        result << "execute=" << executed << "\r\n"
               << "directory=" << dialog.Directory() << "\r\n"
               << "displayname=" << dialog.DisplayName() << "\r\n"
               << "status=" << dialog.StatusText() << "\r\n";
        if (custom != nullptr) {
            result << "checked=" << custom->checked() << "\r\n";
        }
    } catch (const std::exception& e) {
        result << "error=" << e.what() << "\r\n";
        return 1;
    }
    return 0;
}

int RunLabels(win32::Win32Toolkit& toolkit, platform::Form& form, const Arguments& arguments) {
    win32::Win32Platform system;
    components::TPathLabel path(form.AddLabel({8, 8, 401, 16}, ""), system.platform().files);
    path.SetMaxLength(45);
    path.SetStyle(components::TStretchStyle::ssDrive);
    path.SetPath(Argument(arguments, "--path"));
    components::TURLLabel link(form.AddLabel({8, 40, 300, 16}, Argument(arguments, "--url")), toolkit,
                               system.platform().processes);
    link.SetExecutable(true);
    toolkit.Run();
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    win32::Win32Toolkit toolkit(instance);
    toolkit.SetTitle("Sorabell");
    auto form = toolkit.CreateForm({"SorabellComponentsHost", "部品の検査", 494, 485, true});
    const std::string component = __argc > 1 ? __argv[1] : "";
    if (component == "folder") {
        return RunFolderDialog(toolkit, *form, ReadArguments());
    }
    if (component == "labels") {
        return RunLabels(toolkit, *form, ReadArguments());
    }
    return 2;
}
