#include "platform/Errors.h"

namespace sorabell {

namespace {

const char* Describe(EInOutError::Operation operation) {
    switch (operation) {
        case EInOutError::Operation::Open:
            return "ファイルを開けませんでした";
        case EInOutError::Operation::Create:
            return "ファイルを作成できませんでした";
        case EInOutError::Operation::Read:
            return "ファイルの読み込みに失敗しました";
        case EInOutError::Operation::Write:
            return "ファイルの書き込みに失敗しました";
        case EInOutError::Operation::Truncate:
            return "ファイルの切り詰めに失敗しました";
        case EInOutError::Operation::Size:
            return "ファイルの大きさを取得できませんでした";
        case EInOutError::Operation::Delete:
            return "ファイルを削除できませんでした";
    }
    return "ファイル操作に失敗しました";
}

const char* Reason(uint32_t systemError) {
    switch (systemError) {
        case oserror::FileNotFound:
            return "ファイルが見つかりません";
        case oserror::PathNotFound:
            return "フォルダが見つかりません";
        case oserror::AccessDenied:
            return "アクセスが拒否されました (このファイルを書き換える権限がありません)";
        case oserror::WriteProtect:
            return "書き込み禁止のメディアです";
        case oserror::SharingViolation:
            return "別のプログラムがこのファイルを使用中です";
        case oserror::LockViolation:
            return "別のプログラムがこのファイルの一部をロックしています";
        case oserror::HandleDiskFull:
        case oserror::DiskFull:
            return "ディスクの空き領域が足りません";
        case oserror::InvalidName:
            return "ファイル名が正しくありません";
        case oserror::FileReadOnly:
            return "読み込み専用ファイルです";
        default:
            return nullptr;
    }
}

}  // namespace

std::string SystemErrorText(uint32_t systemError) {
    const std::string number = "エラー " + std::to_string(systemError);
    const char* reason = Reason(systemError);
    return reason != nullptr ? reason + std::string("、") + number : number;
}

EInOutError::EInOutError(Operation operation, std::string path, uint32_t systemError)
    : Exception(std::string(Describe(operation)) + ": " + path + " (" + SystemErrorText(systemError) + ")"),
      operation_(operation),
      path_(std::move(path)),
      systemError_(systemError) {}

}  // namespace sorabell
