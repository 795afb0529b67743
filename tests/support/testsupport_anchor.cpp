// The support library needs one translation unit even when it has no helpers.
namespace skelda::test {
int supportAnchor()
{
    return 0;
}
} // namespace skelda::test
