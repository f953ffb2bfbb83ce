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

}  // namespace

EInOutError::EInOutError(Operation operation, std::string path, uint32_t systemError)
    : Exception(std::string(Describe(operation)) + ": " + path + " (エラー " + std::to_string(systemError) + ")"),
      operation_(operation),
      path_(std::move(path)),
      systemError_(systemError) {}

}  // namespace sorabell
