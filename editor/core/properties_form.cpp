// The properties dialog's rules. Scene texts are Latin-1 with CR LF line breaks; the fields hold
// UTF-8 with plain line feeds. A field is enabled where it matters for the objective, and also
// wherever it holds a value its rule refuses (from a hand-made file): the user could not correct
// it otherwise, and a save would be refused for it.
#include "editor/core/properties_form.h"

#include "scene/scene_rules.h"
#include "scene/scene_text.h"

namespace {

constexpr int kPreviewLines = 15;  // the lines of the selection screen's description box

// A whole number as the dialog reads one: blanks around it, an optional sign, digits.
bool readInteger(std::string_view text, long long& value) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    const std::size_t sign = !text.empty() && (text[0] == '-' || text[0] == '+');
    if (text.size() == sign || text.size() > 18 || text.find_first_not_of("0123456789", sign) != text.npos)
        return false;
    value = 0;
    for (char digit : text.substr(sign)) value = value * 10 + (digit - '0');
    if (text[0] == '-') value = -value;
    return true;
}

bool inRange(const std::string& text, long long low, long long high) {
    long long value = 0;
    return readInteger(text, value) && value >= low && value <= high;
}

void enableFields(PropertiesForm& form) {
    form.randomFallEnabled = form.objective != EatUp;
    form.intervalEnabled =
        (form.objective != EatUp && form.randomFall) || !inRange(form.interval, 0, kFallIntervalLimit);
    form.goalScoreEnabled =
        form.objective == GoalScore || !inRange(form.goalScore, kGoalScoreMin, kGoalScoreMax);
}

std::string fieldText(const std::string& sceneText) {
    std::string text = latin1ToUtf8(sceneText);
    for (std::size_t at = text.find("\r\n"); at != text.npos; at = text.find("\r\n", at)) text.erase(at, 1);
    return text;
}

// The scene's bytes of a field's text; false (with the message) when a character has no Latin-1 byte.
bool sceneText(const std::string& shown, bool multiLine, std::string& bytes, std::string& message) {
    const Latin1Text latin1 = utf8ToLatin1(shown);
    if (latin1.missing != 0) return message = latin1Message(latin1.missing), false;
    bytes.clear();
    for (char c : latin1.text) {
        if (c == '\0' || c == '\r' || (c == '\n' && !multiLine)) continue;  // a NUL would end the field
        if (c == '\n') bytes.push_back('\r');
        bytes.push_back(c);
    }
    return true;
}

bool takeText(const std::string& shown, const std::string& opened, bool multiLine, int limit,
              std::string& bytes, std::string& message) {
    if (shown != opened && !sceneText(shown, multiLine, bytes, message)) return false;
    if (bytes.size() > std::size_t(limit)) return message = lengthMessage(limit), false;
    if (!multiLine && bytes.find_first_of("\r\n") != bytes.npos) return message = kOneLineMessage, false;
    return true;
}

bool takeInteger(const std::string& text, std::int32_t low, std::int32_t high, std::int32_t& value,
                 std::string& message) {
    long long read = 0;
    if (!readInteger(text, read)) return message = kIntegerMessage, false;
    if (read < low || read > high) return message = rangeMessage(low, high), false;
    value = std::int32_t(read);
    return true;
}

}  // namespace

PropertiesForm openPropertiesForm(const Scene& scene) {
    PropertiesForm form;
    form.title = form.openedTitle = fieldText(scene.title);
    form.background = scene.background >= 0 && scene.background < kBackgroundCount ? scene.background : -1;
    form.randomFall = scene.randomFall != 0 && scene.objective != EatUp;
    form.interval = std::to_string(scene.fallInterval);
    form.objective = scene.objective >= Standard && scene.objective <= EatUp ? scene.objective : -1;
    form.goalScore = std::to_string(scene.goalScore);
    form.description = form.openedDescription = fieldText(scene.description);
    enableFields(form);
    return form;
}

void chooseObjective(PropertiesForm& form, int objective) {
    if (objective < Standard || objective > EatUp) return;
    form.objective = objective;
    if (objective == EatUp) form.randomFall = false;
    enableFields(form);
}

void clickRandomFall(PropertiesForm& form, bool checked) {
    form.randomFall = checked;
    enableFields(form);
}

FormVerdict acceptPropertiesForm(const PropertiesForm& form, Scene& scene) {
    Scene edited = scene;
    FormVerdict refused;
    const auto refuse = [&refused](int field) { return refused.field = field, refused; };
    if (!takeText(form.title, form.openedTitle, false, kTitleLimit, edited.title, refused.message))
        return refuse(TitleField);
    if (form.intervalEnabled &&
        !takeInteger(form.interval, 0, kFallIntervalLimit, edited.fallInterval, refused.message))
        return refuse(IntervalField);
    if (form.goalScoreEnabled &&
        !takeInteger(form.goalScore, kGoalScoreMin, kGoalScoreMax, edited.goalScore, refused.message))
        return refuse(GoalScoreField);
    if (!takeText(form.description, form.openedDescription, true, kDescriptionLimit, edited.description,
                  refused.message))
        return refuse(DescriptionField);
    if (form.background >= 0) edited.background = form.background;
    edited.randomFall = form.randomFall ? 1 : 0;
    if (form.objective >= 0) edited.objective = form.objective;
    scene = edited;
    return {};
}

std::string descriptionPreview(std::string_view descriptionUtf8) {
    std::string out;
    int lines = 1;
    for (char c : wrapLikeGame(utf8ToLatin1(descriptionUtf8).text)) {
        if (c == '\n' && ++lines > kPreviewLines) break;
        // The game's font has letters for the codes 32 to 122 only.
        out.push_back(c == '\n' || (c >= ' ' && c <= 'z') ? c : '?');
    }
    return out;
}
