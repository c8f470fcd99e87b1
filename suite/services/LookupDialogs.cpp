#include "LookupDialogs.h"

#include <tuple>

#include "DateTime.h"
#include "Dialogs.h"
#include "Forms.h"
#include "StdCtrls.h"

namespace {

constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

struct TFormHolder {
  TForm* Form;
  ~TFormHolder() { Form->Free(); }
};

TForm* NewDialog(const std::string& Caption, int ClientWidth) {
  TForm* form = CreateForm<TForm>(Application);
  form->SetBorderStyle(bsDialog);
  form->SetPosition(poScreenCenter);
  form->SetCaption(Caption);
  form->SetClientWidth(ClientWidth);
  return form;
}

// OK and Cancel under the content, right-aligned; the form's height follows.
void AddButtons(TForm* Form, int Top) {
  int x = Form->ClientWidth() - kMargin - 2 * kButtonWidth - kMargin;
  for (auto [name, caption, result] : {std::tuple{"btnOk", "确定", mrOk}, std::tuple{"btnCancel", "取消", mrCancel}}) {
    auto* button = new TButton(Form);
    button->SetName(name);
    button->SetParent(Form);
    button->SetCaption(caption);
    button->SetModalResult(result);
    button->SetDefault(result == mrOk);
    button->SetCancel(result == mrCancel);
    button->SetBounds(x, Top, kButtonWidth, kButtonHeight);
    x += kButtonWidth + kMargin;
  }
  Form->SetClientHeight(Top + kButtonHeight + kMargin);
}

std::string RocText(const std::string& Ymd) {
  if (!IsYmdDate(Ymd)) return {};
  return "民国 " + std::to_string(std::stoi(Ymd.substr(0, 4)) - 1911) + "/" + Ymd.substr(4, 2) + "/" + Ymd.substr(6, 2);
}

}  // namespace

bool IsYmdDate(const std::string& Text) {
  if (Text.size() != 8) return false;
  for (char c : Text)
    if (c < '0' || c > '9') return false;
  return IsValidDate(std::stoi(Text.substr(0, 4)), std::stoi(Text.substr(4, 2)), std::stoi(Text.substr(6, 2)));
}

std::vector<int> ChooseRows(const std::string& Caption, const std::vector<std::string>& Lines, bool MultiSelect) {
  TFormHolder dialog{NewDialog(Caption, 480)};
  TForm* form = dialog.Form;
  auto* list = new TListBox(form);
  list->SetName("lstRows");
  list->SetParent(form);
  list->SetBounds(kMargin, kMargin, form->ClientWidth() - 2 * kMargin, 240);
  list->SetMultiSelect(MultiSelect);
  for (const auto& line : Lines) list->Items()->Add(line);
  if (!Lines.empty()) list->SetItemIndex(0);
  AddButtons(form, list->Top() + list->Height() + kMargin);
  form->SetActiveControl(list);
  if (form->ShowModal() != mrOk) return {};
  std::vector<int> chosen;
  if (MultiSelect)
    for (int i = 0; i < static_cast<int>(Lines.size()); ++i)
      if (list->Selected(i)) chosen.push_back(i);
  if (chosen.empty() && list->ItemIndex() >= 0 && list->ItemIndex() < static_cast<int>(Lines.size()))
    chosen.push_back(list->ItemIndex());
  return chosen;
}

std::string PickDay(const std::string& Caption, const std::string& Start, bool RocCalendar) {
  TFormHolder dialog{NewDialog(Caption, 240)};
  TForm* form = dialog.Form;
  auto* edit = new TEdit(form);
  edit->SetName("edDate");
  edit->SetParent(form);
  edit->SetBounds(kMargin, kMargin, form->ClientWidth() - 2 * kMargin, edit->Height());
  edit->SetText(Start);
  auto* label = new TLabel(form);
  label->SetName("lblDate");
  label->SetParent(form);
  label->SetCaption(RocCalendar ? RocText(Start) : std::string());
  label->SetBounds(kMargin, edit->Top() + edit->Height() + 4, label->Width(), label->Height());
  AddButtons(form, label->Top() + label->Height() + kMargin);
  form->SetActiveControl(edit);
  if (form->ShowModal() != mrOk) return {};
  const std::string typed = edit->Text();
  return IsYmdDate(typed) ? typed : std::string();
}
