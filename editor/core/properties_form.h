// The scene properties dialog as a plain model: its fields as the user sees and types them, the
// rules that enable them, and the checks and text conversions of its OK. The Qt dialog only
// shows a form, hands back what was typed and forwards the objective and Random fall clicks, so
// every rule of the dialog is tested here without a window.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "scene/scene.h"

enum PropertyField : int {
    TitleField,
    BackgroundField,
    RandomFallField,
    IntervalField,
    ObjectiveField,
    GoalScoreField,
    DescriptionField,
    kPropertyFieldCount,
};

// The dialog's labels with their Alt keys, one key each.
inline constexpr std::array<const char*, kPropertyFieldCount> propertyLabels = {
    "Scene's &Title:", "&Background:", "&Random fall", "&Interval:",
    "Obj&ective:",     "&Goal Score:", "&Description:"};

// What the dialog shows. Texts are UTF-8 with plain line feeds; the lists hold -1 for a value
// outside them (from a hand-made file), which shows as no selection.
struct PropertiesForm {
    std::string title;
    int background = 0;
    bool randomFall = true;
    std::string interval = "0";
    int objective = Standard;
    std::string goalScore = "5";
    std::string description;
    bool randomFallEnabled = true;
    bool intervalEnabled = true;
    bool goalScoreEnabled = false;
    // The texts as they were shown on opening: one still shown unchanged hands back the scene's
    // own bytes, which a conversion there and back might not give (a lone CR, say).
    std::string openedTitle;
    std::string openedDescription;
};

// The form of a scene as the dialog opens on it, with the opening enabling rules applied.
PropertiesForm openPropertiesForm(const Scene& scene);
// A choice in the objective list (an index outside 0..3 changes nothing): Eat up clears and
// disables Random fall, the goal score is enabled only for Goal Score.
void chooseObjective(PropertiesForm& form, int objective);
// A click on the Random fall box: the interval follows it.
void clickRandomFall(PropertiesForm& form, bool checked);

// OK: every enabled field and every text is checked in the dialog's order; the first that fails
// is named with its message and `scene` stays as it was. Otherwise `scene` takes the form.
struct FormVerdict {
    int field = -1;  // the PropertyField refused, -1 when the form was taken
    std::string message;
};
FormVerdict acceptPropertiesForm(const PropertiesForm& form, Scene& scene);

// The description as the game's selection screen will show it: 31 columns, upper case, the
// same breaks, a "?" where its font has no letter, and only the lines that fit its box.
std::string descriptionPreview(std::string_view descriptionUtf8);
