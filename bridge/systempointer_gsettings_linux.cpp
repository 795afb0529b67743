// GIO's headers name a struct member "signals", which Qt defines as a keyword.
#include <gio/gio.h>

#include <QLibrary>

#include "bridge/pointermappings.h"
#include "bridge/systempointer_linux.h"

namespace LinuxPointer {

namespace {

namespace Map = PointerMappings::GSettings;

// GIO is loaded only on desktops that keep the pointer in GSettings: elsewhere the program
// does not pay for mapping it. Only the types come from its headers.
struct Gio
{
    decltype(&::g_settings_schema_source_get_default) schemaSourceGetDefault = nullptr;
    decltype(&::g_settings_schema_source_lookup) schemaSourceLookup = nullptr;
    decltype(&::g_settings_schema_has_key) schemaHasKey = nullptr;
    decltype(&::g_settings_schema_get_key) schemaGetKey = nullptr;
    decltype(&::g_settings_schema_unref) schemaUnref = nullptr;
    decltype(&::g_settings_schema_key_range_check) keyRangeCheck = nullptr;
    decltype(&::g_settings_schema_key_unref) keyUnref = nullptr;
    decltype(&::g_settings_new_full) settingsNewFull = nullptr;
    decltype(&::g_settings_get_string) getString = nullptr;
    decltype(&::g_settings_is_writable) isWritable = nullptr;
    decltype(&::g_settings_set_value) setValue = nullptr;
    decltype(&::g_settings_sync) sync = nullptr;
    decltype(&::g_object_get) objectGet = nullptr;
    decltype(&::g_object_unref) objectUnref = nullptr;
    decltype(&::g_variant_new_string) newString = nullptr;
    decltype(&::g_variant_new_int32) newInt32 = nullptr;
    decltype(&::g_variant_new_double) newDouble = nullptr;
    decltype(&::g_variant_ref_sink) refSink = nullptr;
    decltype(&::g_variant_unref) variantUnref = nullptr;
    decltype(&::g_free) freeMemory = nullptr;

    bool loaded = false;
};

template<typename Function>
bool resolve(QLibrary &library, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(library.resolve(name));
    return function != nullptr;
}

Gio loadGio()
{
    Gio gio;
    QLibrary library(QStringLiteral("gio-2.0"), 0);
    // Kept loaded: the functions are used for the rest of the run.
    if (!library.load())
        return gio;
    gio.loaded
        = resolve(library, "g_settings_schema_source_get_default", gio.schemaSourceGetDefault)
        && resolve(library, "g_settings_schema_source_lookup", gio.schemaSourceLookup)
        && resolve(library, "g_settings_schema_has_key", gio.schemaHasKey)
        && resolve(library, "g_settings_schema_get_key", gio.schemaGetKey)
        && resolve(library, "g_settings_schema_unref", gio.schemaUnref)
        && resolve(library, "g_settings_schema_key_range_check", gio.keyRangeCheck)
        && resolve(library, "g_settings_schema_key_unref", gio.keyUnref)
        && resolve(library, "g_settings_new_full", gio.settingsNewFull)
        && resolve(library, "g_settings_get_string", gio.getString)
        && resolve(library, "g_settings_is_writable", gio.isWritable)
        && resolve(library, "g_settings_set_value", gio.setValue)
        && resolve(library, "g_settings_sync", gio.sync)
        && resolve(library, "g_object_get", gio.objectGet)
        && resolve(library, "g_object_unref", gio.objectUnref)
        && resolve(library, "g_variant_new_string", gio.newString)
        && resolve(library, "g_variant_new_int32", gio.newInt32)
        && resolve(library, "g_variant_new_double", gio.newDouble)
        && resolve(library, "g_variant_ref_sink", gio.refSink)
        && resolve(library, "g_variant_unref", gio.variantUnref)
        && resolve(library, "g_free", gio.freeMemory);
    return gio;
}

const Gio &gio()
{
    static const Gio loaded = loadGio();
    return loaded;
}

GSettingsSchema *lookUpSchema()
{
    if (!gio().loaded)
        return nullptr;
    GSettingsSchemaSource *source = gio().schemaSourceGetDefault();
    if (!source)
        return nullptr;
    GSettingsSchema *schema = gio().schemaSourceLookup(source, Map::schema, TRUE);
    if (schema
        && !(gio().schemaHasKey(schema, "speed") && gio().schemaHasKey(schema, "accel-profile")
            && gio().schemaHasKey(schema, "double-click"))) {
        gio().schemaUnref(schema);
        return nullptr;
    }
    return schema;
}

class GSettingsPointer : public SystemPointer
{
public:
    explicit GSettingsPointer(GSettingsSchema *schema)
        : settings(gio().settingsNewFull(schema, nullptr, nullptr))
    {
        gio().schemaUnref(schema);
    }
    ~GSettingsPointer() override { gio().objectUnref(settings); }

    bool getMouse(MouseArray &values) override
    {
        gchar *profile = gio().getString(settings, "accel-profile");
        values = {0, 0, Map::accelerates(profile) ? 1 : 0};
        gio().freeMemory(profile);
        return true;
    }

    bool setMouse(const MouseArray &values) override
    {
        return write("accel-profile", gio().newString(Map::accelProfile(values[2] != 0)));
    }

    bool setWheelScrollLines(unsigned) override { return true; }
    bool hasWheelScrollLines() const override { return false; }

    bool setDoubleClickTime(unsigned milliseconds) override
    {
        return write("double-click", gio().newInt32(gint32(milliseconds)));
    }

    bool setMouseSpeed(unsigned speed) override
    {
        const uint step = PointerMappings::Windows::speedStep(speed);
        return write("speed", gio().newDouble(Map::speed.value(step)));
    }

private:
    // Takes the floating value; false when the key is locked down or the value out of range.
    bool write(const char *key, GVariant *value)
    {
        gio().refSink(value);
        bool written = false;
        if (gio().isWritable(settings, key)) {
            GSettingsSchema *schema = nullptr;
            gio().objectGet(settings, "settings-schema", &schema, nullptr);
            GSettingsSchemaKey *schemaKey = gio().schemaGetKey(schema, key);
            if (gio().keyRangeCheck(schemaKey, value))
                written = gio().setValue(settings, key, value);
            gio().keyUnref(schemaKey);
            gio().schemaUnref(schema);
        }
        gio().variantUnref(value);
        // The desktop sees the value only once the backend has it.
        gio().sync();
        return written;
    }

    GSettings *settings;
};

} // namespace

bool gnomeSchemaInstalled()
{
    GSettingsSchema *schema = lookUpSchema();
    if (!schema)
        return false;
    gio().schemaUnref(schema);
    return true;
}

std::unique_ptr<SystemPointer> makeGSettings()
{
    GSettingsSchema *schema = lookUpSchema();
    if (!schema)
        return nullptr;
    return std::make_unique<GSettingsPointer>(schema);
}

} // namespace LinuxPointer
