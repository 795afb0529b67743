// The resource library needs one translation unit of its own.
namespace skelda {
int resourcesAnchor()
{
    return 0;
}
} // namespace skelda
