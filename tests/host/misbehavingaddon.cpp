// An add-on for the stand-in host's own tests: sound by default, it breaks the one rule
// that HUEPORT_MISBEHAVE names, so that each of the host's checks is seen to fire.

#include "host/api/gsroot.h"
#include "host/api/hostapi.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#define MISBEHAVING_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr int16_t kMenu = 7000;
constexpr int16_t kUnregisteredMenu = 7001;

HostServices g_services{};
void *g_context = nullptr;
void *g_contextAtUnload = nullptr;
GSResModule g_resources = kInvalidResModule;

bool misbehaves(const char *rule)
{
    const char *chosen = std::getenv("HUEPORT_MISBEHAVE");
    return chosen && std::strcmp(chosen, rule) == 0;
}

// Zeroed records of the host's sizes, as the contract asks.
struct Records
{
    std::vector<unsigned char> attribute =
        std::vector<unsigned char>(HostApi::kAttributeRecordBytes);
    std::vector<unsigned char> definition =
        std::vector<unsigned char>(HostApi::kDefinitionRecordBytes);

    Records(int32_t type, const char *name)
    {
        HostApi::write<int32_t>(attribute.data(), HostApi::kAttributeTypeOffset, type);
        std::memcpy(attribute.data() + HostApi::kAttributeNameOffset, name, std::strlen(name));
    }
};

void createMaterial()
{
    Records records(kAttributeMaterial, "Test material");
    if (misbehaves("name unterminated"))
        std::memset(records.attribute.data() + HostApi::kAttributeNameOffset, 'x',
                    HostApi::kAttributeNameBytes);
    if (misbehaves("attribute record not zero-filled"))
        records.attribute[900] = 1;
    if (misbehaves("definition record not zero-filled"))
        records.definition[200] = 1;
    HostApi::write<int32_t>(records.attribute.data(), HostApi::kMaterialKindOffset, 1);
    HostApi::write<double>(records.attribute.data(), HostApi::kMaterialSurfaceOffset, 0.5);
    g_services.createAttribute(g_context, records.attribute.data(), records.definition.data());
}

void fillPens(char *pens)
{
    for (int position = 1; position <= HostApi::kPenCount; ++position) {
        char *pen = pens + std::size_t(position - 1) * HostApi::kPenRecordBytes;
        HostApi::write<int32_t>(pen, HostApi::kPenKindOffset, 1);
        const int index = misbehaves("pen index") ? position - 1 : position;
        HostApi::write<int16_t>(pen, HostApi::kPenIndexOffset, int16_t(index));
        HostApi::write<double>(pen, HostApi::kPenWidthOffset, position == 1 ? 0.25 : 0.0);
    }
    std::memcpy(pens + HostApi::kPenDescriptionOffset, "First pen", 9);
    if (misbehaves("pen description unterminated"))
        std::memset(pens + HostApi::kPenRecordBytes + HostApi::kPenDescriptionOffset, 'y',
                    HostApi::kPenDescriptionBytes);
    if (misbehaves("pens not cleared"))
        pens[9 * HostApi::kPenRecordBytes + 100] = 0x55;
}

void createPenTable()
{
    Records records(kAttributePenTable, "Test pens");
    GSHandle pens = BMAllocateHandle(GSSize(HostApi::kPenTableBytes), kAllocateClear, 0);
    fillPens(*pens);
    HostApi::write<GSHandle>(records.definition.data(), HostApi::kPenTableHandleOffset, pens);
    g_services.createAttribute(g_context, records.attribute.data(), records.definition.data());
    if (misbehaves("handle forgotten"))
        return;
    GSHandle copy = pens;
    BMKillHandle(&pens);
    if (misbehaves("handle released twice"))
        BMKillHandle(&copy);
}

int32_t menuCommand(const HostMenuParams *) noexcept
{
    void *window = nullptr;
    g_services.environment(g_context, kEnvironmentMainWindow, &window, nullptr, nullptr);
    if (misbehaves("another context")) {
        Records query(kAttributeMaterial, "Test material");
        g_services.getAttribute(&g_services, query.attribute.data());
    }
    createMaterial();
    createPenTable();
    g_services.residencyRequest(misbehaves("no context") ? nullptr : g_context,
                                misbehaves("residency value") ? 0 : 1);
    return kHostNoError;
}

int32_t notification(int32_t, void *) noexcept
{
    return kHostNoError;
}

int32_t checkEnvironment(HostEnvironmentRecord *environment) noexcept
{
    std::strcpy(environment->addOnName, "Misbehaving");
    std::strcpy(environment->addOnDescription, "Breaks the rule it is told to");
    if (misbehaves("environment unterminated"))
        std::memset(environment->addOnName, 'n', sizeof environment->addOnName);
    return kAddOnTypeNormal;
}

int32_t registerInterface() noexcept
{
    void *context = misbehaves("context before initialise") ? &g_services : nullptr;
    return g_services.registerMenu(context, kMenu, 0, 0, 0);
}

int32_t initialize(void *context) noexcept
{
    g_context = context;
    g_contextAtUnload = context;
    if (misbehaves("menu registered during initialise"))
        g_services.registerMenu(g_context, kMenu, 0, 0, 0);
    if (misbehaves("handler for an unregistered menu"))
        g_services.installMenuHandler(g_context, kUnregisteredMenu, &menuCommand);
    if (misbehaves("attribute outside a command")) {
        Records query(kAttributeMaterial, "Test material");
        g_services.getAttribute(g_context, query.attribute.data());
    }
    const int32_t menu = g_services.installMenuHandler(g_context, kMenu, &menuCommand);
    const int32_t notifications =
        g_services.installNotificationHandler(g_context, kAllNotifications, &notification);
    return menu != kHostNoError ? menu : notifications;
}

int32_t freeData() noexcept
{
    g_context = nullptr;
    return kHostNoError;
}

__attribute__((constructor)) void attach()
{
    const std::string menu = std::string("Test") + '\0' + "Misbehave" + '\0';
    std::vector<char> list(sizeof(uint32_t));
    const auto count = uint32_t(menu.size());
    std::memcpy(list.data(), &count, sizeof count);
    list.insert(list.end(), menu.begin(), menu.end());
    const GSResource resource{kResourceStringList, kMenu, list.data(), int32_t(list.size())};
    g_resources = RSAddModule(&resource, 1);
}

__attribute__((destructor)) void detach()
{
    if (misbehaves("call after free-data"))
        g_services.residencyRequest(g_contextAtUnload, 1);
    RSRemoveModule(g_resources);
}

} // namespace

MISBEHAVING_EXPORT int32_t SetImportedFuncAddrs(const void *serviceTable)
{
    std::memcpy(&g_services, serviceTable, sizeof g_services);
    return kHostNoError;
}

MISBEHAVING_EXPORT int32_t GetExportedFuncAddrs(void *record)
{
    if (!misbehaves("export record not zeroed"))
        std::memset(record, 0, HostApi::kExportRecordBytes);
    HostApi::write<uint32_t>(record, HostApi::kExportVersionOffset, HostApi::kExportVersion);
    HostApi::write<CheckEnvironmentProc>(record, HostApi::kCheckEnvironmentOffset,
                                         &checkEnvironment);
    HostApi::write<RegisterInterfaceProc>(record, HostApi::kRegisterInterfaceOffset,
                                          &registerInterface);
    HostApi::write<InitializeProc>(record, HostApi::kInitializeOffset, &initialize);
    HostApi::write<FreeDataProc>(record, HostApi::kFreeDataOffset, &freeData);
    HostApi::write<uint32_t>(record, HostApi::kExportApiLevelOffset, HostApi::kExportApiLevel);
    return kHostNoError;
}
