# Read by cpack when it runs (CPACK_PROJECT_CONFIG_FILE). cpack takes file names in the
# locale's character set: in the C locale it cannot read the samples' Unicode names and
# fails. In a UTF-8 locale it also marks those names as UTF-8 in the ZIP archives, which
# Windows' own unpacking needs to show them right.
set(ENV{LC_ALL} C.UTF-8)
