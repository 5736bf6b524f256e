# Included by bench/CMakeLists.txt with name = xml for target bench_xml.
# The XML benchmark needs only the XML library, so it links that instead of
# the whole core, plus the two peers it is compared with.
find_package(pugixml REQUIRED)
find_package(LibXml2 REQUIRED)
set_property(TARGET bench_${name} PROPERTY LINK_LIBRARIES
  fd_xml fd_platform benchmark::benchmark pugixml::pugixml LibXml2::LibXml2)
