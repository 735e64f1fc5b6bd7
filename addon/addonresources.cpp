#include "addon/addonresources.h"

namespace Corvo::AddOnResources {

namespace {

constexpr char kAddOnName[] = "Velmora Tintwell";
constexpr char kMenuTitle[] = "Velmora";
constexpr char kPickerItem[] = "Color Picker^22800";
constexpr char kAboutItem[] = "About ...";
constexpr char kProjectColoursItem[] = "Project colours";
// The two identifiers by which the host tells this maker's add-ons apart.
constexpr int32_t kMakerIdentifier = 0x56454C4D; // "VELM"
constexpr int32_t kAddOnIdentifier = 0x54494E54; // "TINT"

QByteArray identifiers()
{
    const int32_t values[] = {kMakerIdentifier, kAddOnIdentifier};
    return QByteArray(reinterpret_cast<const char *>(values), sizeof values);
}

} // namespace

QByteArray stringList(const QList<QByteArray> &strings)
{
    QByteArray body;
    for (const QByteArray &text : strings)
        body += text + '\0';
    const uint32_t count = uint32_t(body.size());
    return QByteArray(reinterpret_cast<const char *>(&count), sizeof count) + body;
}

GSResModule registerWithHost()
{
    // The host library copies the bytes, so they need not outlive the call.
    const QByteArray names = stringList({kAddOnName, kAddOnName});
    const QByteArray picker = stringList({kMenuTitle, kPickerItem});
    const QByteArray about = stringList({kMenuTitle, kAboutItem});
    const QByteArray projectColours = stringList({kMenuTitle, kProjectColoursItem});
    const QByteArray noPrompts = stringList({});
    const QByteArray ids = identifiers();
    const auto resource = [](uint32_t type, int32_t id, const QByteArray &bytes) {
        return GSResource{type, id, bytes.constData(), int32_t(bytes.size())};
    };
    const GSResource resources[] = {
        resource(kResourceStringList, kNameList, names),
        resource(kResourceStringList, kPickerMenu, picker),
        resource(kResourceStringList, kAboutMenu, about),
        resource(kResourceStringList, kPickerPrompts, noPrompts),
        resource(kResourceStringList, kAboutPrompts, noPrompts),
        resource(kResourceStringList, kProjectColoursMenu, projectColours),
        resource(kResourceStringList, kProjectColoursPrompts, noPrompts),
        resource(kResourceIdentifiers, kIdentifiers, ids),
    };
    return RSAddModule(resources, int32_t(std::size(resources)));
}

} // namespace Corvo::AddOnResources
