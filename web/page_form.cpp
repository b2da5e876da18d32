#include "web/page_form.h"

#include "analysis/model.h"
#include "ui/control_ids.h"
#include "ui/model_rows.h"

namespace quillet::web {

using emscripten::val;

namespace {

enum class Kind { kCheck, kText };

struct PageField {
  const char* name;
  int id;
  Kind kind;
};

constexpr PageField kFields[] = {
    {"testModels", ids::kTestModels, Kind::kCheck},
    {"testClock", ids::kTestClock, Kind::kCheck},
    {"testGamma", ids::kTestGamma, Kind::kCheck},
    {"pValue", ids::kPValue, Kind::kText},
    {"taxa", ids::kTaxa, Kind::kText},
    {"lnLClock", ids::kLnLClock, Kind::kText},
    {"lnLNoClock", ids::kLnLNoClock, Kind::kText},
    {"lnLGamma", ids::kLnLGamma, Kind::kText},
    {"lnLNoGamma", ids::kLnLNoGamma, Kind::kText},
};

struct RowField {
  const char* name;
  int ModelRowControls::*id;
  Kind kind;
};

constexpr RowField kRowFields[] = {
    {"ticked", &ModelRowControls::selected, Kind::kCheck},
    {"lnL", &ModelRowControls::lnL, Kind::kText},
    {"gamma", &ModelRowControls::gamma, Kind::kCheck},
    {"invariants", &ModelRowControls::invar, Kind::kCheck},
};

void Put(const val& from, const char* name, int id, Kind kind, PageWindow& window) {
  const val value = from[name];
  if (value.isUndefined()) return;
  if (kind == Kind::kCheck) {
    window.SetCheck(id, value.as<bool>() ? 1 : 0);
  } else {
    window.SetControlText(id, value.as<std::string>());
  }
}

val Get(const PageWindow& window, int id, Kind kind) {
  return kind == Kind::kCheck ? val(window.GetCheck(id) == 1) : val(window.GetControlText(id));
}

}  // namespace

void FormToWindow(const val& form, PageWindow& window) {
  for (const PageField& field : kFields) Put(form, field.name, field.id, field.kind, window);
  const val models = form["models"];
  if (models.isUndefined()) return;
  for (const ModelRowControls& row : kModelRows) {
    const val fields = models[ModelName(row.model)];
    if (fields.isUndefined()) continue;
    for (const RowField& f : kRowFields) Put(fields, f.name, row.*f.id, f.kind, window);
  }
}

val FormFromWindow(const PageWindow& window) {
  val form = val::object();
  for (const PageField& field : kFields) form.set(field.name, Get(window, field.id, field.kind));
  val models = val::object();
  for (Model model : kReportOrder) {
    for (const ModelRowControls& row : kModelRows) {
      if (row.model != model) continue;
      val fields = val::object();
      for (const RowField& f : kRowFields) fields.set(f.name, Get(window, row.*f.id, f.kind));
      models.set(ModelName(model), fields);
    }
  }
  form.set("models", models);
  return form;
}

std::string FieldOfControl(int id) {
  for (const PageField& field : kFields) {
    if (field.id == id) return field.name;
  }
  for (const ModelRowControls& row : kModelRows) {
    for (const RowField& f : kRowFields) {
      if (row.*f.id == id) return std::string("models.") + ModelName(row.model) + "." + f.name;
    }
  }
  return {};
}

}  // namespace quillet::web
