"""Every language variant of the catalog reaches the user in that language."""
import unittest

from harness import LauncherTestCase, SOURCE_DIR, run_launcher, text

# A locale of each variant, as LANG would name it.
LOCALES = {
    "en": "en_US", "bg": "bg_BG", "cs": "cs_CZ", "da": "da_DK", "de": "de_DE", "el": "el_GR",
    "es": "es_ES", "fi": "fi_FI", "fr": "fr_FR", "hu": "hu_HU", "it": "it_IT", "nl": "nl_NL",
    "no": "nb_NO", "pl": "pl_PL", "ro": "ro_RO", "ru": "ru_RU", "hr": "hr_HR", "sk": "sk_SK",
    "sv": "sv_SE", "tr": "tr_TR", "sl": "sl_SI", "ar_SA": "ar_SA", "zh_TW": "zh_TW",
    "he": "he_IL", "ja": "ja_JP", "ko": "ko_KR", "pt_BR": "pt_BR", "zh_CN": "zh_CN",
    "pt_PT": "pt_PT",
}


def catalog(stem):
    texts = {}
    for line in (SOURCE_DIR / "resources" / "messages" / f"{stem}.txt").read_text("utf-8").splitlines():
        if line and not line.startswith("#"):
            key, _, value = line.partition("\t")
            texts[int(key)] = value
    return texts


def variants():
    for line in (SOURCE_DIR / "resources" / "messages" / "languages.tsv").read_text("utf-8").splitlines():
        if line and not line.startswith("#"):
            yield line.split("\t")[0]


class CatalogLanguages(LauncherTestCase):
    def test_every_variant_has_a_locale_here(self):
        self.assertEqual(sorted(variants()), sorted(LOCALES))

    def test_messages_come_out_in_the_users_language(self):
        for stem in variants():
            with self.subTest(variant=stem):
                env = {"LANG": LOCALES[stem] + ".UTF-8", "LC_ALL": "", "LC_MESSAGES": ""}
                for option, message in (("-vd:log", 14), ("-vd:in", 22)):
                    code, out, err = run_launcher(["-console", option], env=env, cwd=self.dir)
                    # What the run printed besides, should its message be missing.
                    seen = "exit code %d, standard error %r" % (code, text(err))
                    self.assertEqual(code, -1, seen)
                    self.assertEqual(text(out).split("\n")[0], catalog(stem)[message], seen)


if __name__ == "__main__":
    unittest.main()
