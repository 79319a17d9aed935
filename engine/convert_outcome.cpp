#include "engine/convert_outcome.h"

namespace sorvane {

std::string OutcomeMessage(const ConversionResult& result) {
  switch (result.outcome) {
    case ConvertOutcome::Converted: return "変換しました";
    case ConvertOutcome::NoFileSelected: return "ファイル名を選択してください";
    case ConvertOutcome::InputMissing: return "ファイルが存在しません";
    case ConvertOutcome::TemplateMissing: return "PreData.txtファイルが存在しません";
    case ConvertOutcome::BadRow:
      return std::to_string(result.line) + "行目のデータが正しくありません";
    case ConvertOutcome::InputReadFailed: return "ファイルを読み込めません";
    case ConvertOutcome::TemplateReadFailed: return "PreData.txtファイルを読み込めません";
    case ConvertOutcome::TemplateInvalid: return "PreData.txtファイルの形式が正しくありません";
    case ConvertOutcome::OutputNameEmpty: return "出力ファイル名を入力してください";
    case ConvertOutcome::OutputSameAsInput: return "出力ファイルが入力ファイルと同じです";
    case ConvertOutcome::OutputCannotCreate: return "出力ファイルを作成できません";
    case ConvertOutcome::OutputWriteFailed: return "出力ファイルに書き込めません";
  }
  return {};
}

}  // namespace sorvane
