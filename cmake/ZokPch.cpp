// The translation unit in which the shared precompiled Qt headers are compiled (cmake/ZokPch.cmake).
