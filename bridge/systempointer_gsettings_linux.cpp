// GIO's headers name a struct member "signals", which Qt defines as a keyword.
#include <gio/gio.h>

#include "bridge/pointermappings.h"
#include "bridge/systempointer_linux.h"

namespace LinuxPointer {

namespace {

namespace Map = PointerMappings::GSettings;

GSettingsSchema *lookUpSchema()
{
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();
    if (!source)
        return nullptr;
    GSettingsSchema *schema = g_settings_schema_source_lookup(source, Map::schema, TRUE);
    if (schema
        && !(g_settings_schema_has_key(schema, "speed")
            && g_settings_schema_has_key(schema, "accel-profile")
            && g_settings_schema_has_key(schema, "double-click"))) {
        g_settings_schema_unref(schema);
        return nullptr;
    }
    return schema;
}

class GSettingsPointer : public SystemPointer
{
public:
    explicit GSettingsPointer(GSettingsSchema *schema)
        : settings(g_settings_new_full(schema, nullptr, nullptr))
    {
        g_settings_schema_unref(schema);
    }
    ~GSettingsPointer() override { g_object_unref(settings); }

    bool getMouse(MouseArray &values) override
    {
        gchar *profile = g_settings_get_string(settings, "accel-profile");
        values = {0, 0, Map::accelerates(profile) ? 1 : 0};
        g_free(profile);
        return true;
    }

    bool setMouse(const MouseArray &values) override
    {
        return write("accel-profile", g_variant_new_string(Map::accelProfile(values[2] != 0)));
    }

    bool setWheelScrollLines(unsigned) override { return true; }
    bool hasWheelScrollLines() const override { return false; }

    bool setDoubleClickTime(unsigned milliseconds) override
    {
        return write("double-click", g_variant_new_int32(gint32(milliseconds)));
    }

    bool setMouseSpeed(unsigned speed) override
    {
        const uint step = PointerMappings::Windows::speedStep(speed);
        return write("speed", g_variant_new_double(Map::speed.value(step)));
    }

private:
    // Takes the floating value; false when the key is locked down or the value out of range.
    bool write(const char *key, GVariant *value)
    {
        g_variant_ref_sink(value);
        bool written = false;
        if (g_settings_is_writable(settings, key)) {
            GSettingsSchema *schema = nullptr;
            g_object_get(settings, "settings-schema", &schema, nullptr);
            GSettingsSchemaKey *schemaKey = g_settings_schema_get_key(schema, key);
            if (g_settings_schema_key_range_check(schemaKey, value))
                written = g_settings_set_value(settings, key, value);
            g_settings_schema_key_unref(schemaKey);
            g_settings_schema_unref(schema);
        }
        g_variant_unref(value);
        // The desktop sees the value only once the backend has it.
        g_settings_sync();
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
    g_settings_schema_unref(schema);
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
