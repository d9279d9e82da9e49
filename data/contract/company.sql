-- Company database: the tables, views and columns of the enterprise
-- system's schema that this client relies on, mirrored for tests and the
-- demo. The real schema (its keys, constraints, triggers and view
-- definitions) belongs to the enterprise system; only the names, column
-- order and types the client reads or writes matter here. Keys and defaults
-- below are ours, chosen so fixtures stay short.

set client_min_messages = warning;

-- ---------------------------------------------------------------------------
-- Company record and settings
-- ---------------------------------------------------------------------------

-- The company's own record. The client selects every column at login and
-- reads only jas_ip from the first row; all 117 columns must exist.
create table if not exists eu (
    cod_cci                         varchar(20),
    atribut_fiscal                  varchar(10),
    tip_societate                   varchar(50),
    reg_comert_jud                  varchar(10),
    reg_comert_nr                   varchar(20),
    reg_comert_data                 date,
    reg_comert_jud_suc              varchar(10),
    reg_comert_nr_suc               varchar(20),
    reg_comert_data_suc             date,
    cnp_a                           varchar(25),
    eu                              varchar(200),
    eu_sediu                        varchar(200),
    data_incep_activitate           date,
    trezoreria                      varchar(100),
    trezoreria_cont                 varchar(34),
    data_gen_fact                   date,
    tara                            varchar(50),
    localit                         varchar(50),
    adresa                          varchar(200),
    telefon                         varchar(30),
    fax                             varchar(30),
    email_adr                       varchar(100),
    web_adr                         varchar(100),
    nr_insp_munca                   varchar(25),
    nr_pers_hand_suta_ang           integer,
    da_nu_modif_ore_prez            boolean default false,
    da_nu_dimin_avans_cu_ret        boolean default false,
    formula_calcul_co               text,
    proc_avans_co                   double precision,
    formula_calcul_avans_q          text,
    formula_calcul_penalitati       text,
    proc_avans                      double precision,
    rotunjire_avans                 integer,
    rotunjire_lichidare             integer,
    proc_diminuare_bugetari         double precision,
    nr_autorizatie_alcool           varchar(25),
    metoda_stoc                     varchar(10),
    da_nu_scadere_stoc_in_viitor    boolean default false,
    da_nu_impozit_profit            boolean default false,
    da_nu_nevoi_firma               boolean default false,
    da_nu_platitor_tva_in_vama      boolean default false,
    proc_impozit_profit             double precision,
    proc_deductibilitate            double precision,
    prez_of_stoc_fact_cl            boolean default false,
    da_nu_postcalcul                boolean default false,
    prez_of_stoc_av_exp             boolean default false,
    prez_of_stoc_bte                boolean default false,
    prez_of_stoc_bc                 boolean default false,
    pret_fact_cl_cu_tva             boolean default false,
    pret_nir_cu_tva                 boolean default false,
    pret_cmd_client_cu_tva          boolean default false,
    da_nu_tva_neexigibil            boolean default false,
    da_nu_list_fact_pr_ctl          boolean default false,
    da_nu_list_fact_neop_stoc       boolean default false,
    da_nu_bon_pe_calc               boolean default false,
    da_nu_cmd_pe_extrasb            boolean default false,
    da_nu_fact_pe_calc              boolean default false,
    da_nu_fact_autocopy             boolean default false,
    da_nu_aviz_autocopy             boolean default false,
    da_nu_nir_in_mag_dest           boolean default false,
    tip_contabilitate               varchar(20),
    da_nu_politica_pret_punct_lucru boolean default false,
    da_nu_nota_c_fara_restrictie    boolean default false,
    da_nu_mon_cont_tip_doc          boolean default false,
    data_denominare                 date,
    da_nu_balanta_pe_obiective      boolean default false,
    da_nu_rezervare_stoc            boolean default false,
    da_nu_contare_avz_c             boolean default false,
    da_nu_contare_nirad             boolean default false,
    norma                           double precision,
    data_avans                      date,
    data_lichidare                  date,
    strada                          varchar(100),
    nr_strada                       varchar(10),
    bloc                            varchar(10),
    scara                           varchar(10),
    etaj                            varchar(10),
    apt                             varchar(10),
    sector                          varchar(10),
    cod_postal_adresa               varchar(10),
    sup_eu_denumire                 varchar(200),
    sup_eu_cui                      varchar(20),
    eu_cui                          varchar(20),
    eu_cif                          varchar(20),
    eu_reprezentant_legal           varchar(100),
    val_limita_casa_lei             numeric(15,2),
    proc_penaliz_intirziere         double precision,
    cod_forma_proprietate           varchar(10),
    cod_forma_organizare            varchar(10),
    cod_tip_societate               varchar(10),
    cod_caen                        varchar(10),
    cod_siruta                      varchar(10),
    tip_administrare_soc            varchar(50),
    capital_social                  numeric(15,2),
    da_nu_autoinchidere_cmd_client  boolean default false,
    da_nu_autoinchidere_cmd_furn    boolean default false,
    da_nu_institutie_publica        boolean default false,
    casa_asig_sanatate              varchar(50),
    nr_licenta_turism               varchar(25),
    da_nu_balanta_pe_subunitati     boolean default false,
    da_nu_b_casa_stoc               boolean default false,
    da_nu_b_casa_articol            boolean default false,
    da_nu_salarii_in_postcalcul     boolean default false,
    da_nu_turism_in_comision        boolean default false,
    da_nu_confirmare_comanda        boolean default false,
    da_nu_micro_intreprindere       boolean default false,
    da_nu_tva_nededus_cont_separat  boolean default false,
    jas_ip                          text,
    jas_ip_ext                      text,
    mod_plata_tva                   varchar(20),
    gln                             varchar(13),
    reges_cod_tip_angajator         varchar(10),
    reges_cod_forma_organizare      varchar(10),
    reges_cod_forma_juridica        varchar(10),
    reges_cod_tip_societate         varchar(10),
    reges_cod_forma_proprietate     varchar(10),
    reges_cod_act_id_pf             varchar(10)
);

-- Company-wide settings, one row. The client has a query over it that no
-- screen opens; the columns are placeholders of ours.
create table if not exists config_nuv (
    id                        integer not null primary key default 1,
    versiune_db               varchar(20),
    data_actualizare          timestamp,
    tva_proc_standard         double precision,
    moneda_nationala          varchar(3),
    nr_zecimale_cant          integer,
    nr_zecimale_pret          integer,
    nr_zecimale_valoare       integer,
    da_nu_stoc_negativ        boolean default false,
    da_nu_scanare_obligatorie boolean default false,
    magazie_default           varchar(5),
    cale_export               text,
    cale_import               text,
    url_actualizare           text,
    zi_inchidere_luna         integer,
    an_curent                 integer,
    luna_curenta              integer,
    limba_implicita           varchar(15),
    format_data               varchar(20),
    observatii                text
);

-- Currencies. Listed by a client query that no screen opens.
create table if not exists moneda (
    moneda       varchar(3) not null primary key,
    discontinued boolean    not null default false
);

-- ---------------------------------------------------------------------------
-- Operators and login
-- ---------------------------------------------------------------------------

-- Operators: the login user names and passwords, and each operator's work
-- point. The login query declares all 64 columns, in this order.
create table if not exists emitent (
    emitent                      varchar(100) not null primary key,
    emitent_corect               varchar(100),
    este_emitent                 boolean      not null default false,
    este_operator                boolean      not null default false,
    este_comisionar              boolean      not null default false,
    este_sofer                   boolean      not null default false,
    operator_parola              varchar(20),
    cod_casier_pos               varchar(10),
    banca_eu_default             varchar(100),
    cont_banca_eu_default        varchar(28),
    casa                         varchar(50),
    moneda                       varchar(3),
    magazie_sursa_default        varchar(5),
    magazie_dest_default         varchar(5),
    functie                      varchar(30),
    eu_punct_lucru               varchar(50)  not null,
    com_int                      varchar(25),
    loc                          varchar(25),
    nr_obiect                    varchar(20),
    ci_nume                      varchar(30),
    ci_serie                     varchar(3),
    ci_nr                        varchar(25),
    ci_data_elib                 date,
    ci_elib                      varchar(25),
    cnp                          varchar(25),
    transport_mijloc             varchar(25),
    transport_nr                 varchar(25),
    da_nu_schimbare_pl           boolean      not null default false,
    da_nu_adaugare_partener      boolean      not null default false,
    da_nu_adaugare_articol       boolean      not null default false,
    da_nu_acces_la_politica_pret boolean      not null default false,
    da_nu_modif_data_listare     boolean      not null default false,
    da_nu_acces_limita_creditare boolean      not null default false,
    prez_of_stoc_fact_cl         boolean      not null default false,
    prez_of_stoc_av_exp          boolean      not null default false,
    prez_of_stoc_bte             boolean      not null default false,
    prez_of_stoc_bc              boolean      not null default false,
    pret_fact_cl_cu_tva          boolean      not null default false,
    da_nu_fact_pe_calc           boolean      not null default false,
    da_nu_modif_nr_fact_pe_calc  boolean      not null default false,
    da_nu_fact_autocopy          boolean      not null default false,
    da_nu_aviz_autocopy          boolean      not null default false,
    da_nu_modif_data_livrare     boolean      not null default false,
    nr_zile_prezentare_doc       integer,
    data_ins                     date         not null default current_date,
    da_nu_fact_ci_rosu           boolean,
    em_email_adr                 varchar(50),
    tel_fix                      varchar(30),
    tel_mobil                    varchar(30),
    proc_comisionar              double precision,
    em_outgoing_email_server     varchar(50),
    em_outgoing_email_port       integer,
    em_outgoing_email_secure     boolean      not null default false,
    em_outgoing_email_user       varchar(50),
    em_outgoing_email_psw        varchar(50),
    em_outlook                   boolean      not null default false,
    lang                         varchar(15),
    rol_web                      varchar(25),
    rol_win                      varchar(25),
    web_theme                    varchar(25),
    discontinued                 boolean      not null default false,
    data_export                  timestamp,
    data_import                  timestamp,
    vede_pret_stoc               boolean
);

-- Applications allowed to connect, by title (compared case-insensitively).
create table if not exists aplicatie_mob (
    aplicatie_mob varchar(100) not null primary key,
    activ         boolean      not null default true
);

-- Each operator's role in each application.
create table if not exists aplicatie_mob_emitent (
    aplicatie_mob varchar(100) not null,
    emitent       varchar(100) not null,
    rol           text,
    primary key (aplicatie_mob, emitent)
);

-- Login audit: the client appends one row per successful login. id and
-- data_ins are filled by the server so tests can find the row.
create table if not exists super_login_log_apl (
    id       bigserial    primary key,
    utiliz   varchar(200),
    aplic    varchar(200),
    actiune  varchar(100),
    data_ins timestamp    not null default clock_timestamp()
);

-- ---------------------------------------------------------------------------
-- Warehouses, locations and articles
-- ---------------------------------------------------------------------------

-- Warehouses and the work point each belongs to. discontinued and tip_mag
-- stay nullable: a warehouse with either one empty must be storable (the
-- location lookups then leave it out).
create table if not exists magazie (
    magazie        varchar(5)  not null primary key,
    eu_punct_lucru varchar(50),
    discontinued   boolean,
    tip_mag        varchar(20)
);

-- Storage locations and the warehouse that holds each one.
create table if not exists locatie (
    locatie varchar(10) not null primary key,
    magazie varchar(5)
);

create index if not exists locatie_magazie_idx on locatie (magazie);

-- Articles. The barcode is not unique: two articles may share one, and the
-- reconciliation then shows a scan under both.
create table if not exists articol (
    articol        varchar(200) not null primary key,
    cod_bare       varchar(48),
    da_nu_stocabil boolean,
    locatie_linie  varchar(10),
    um             varchar(5),
    coef_um_coresp double precision,
    um_coresp      varchar(5)
);

create index if not exists articol_cod_bare_idx on articol (cod_bare);

-- Which article is stored at which location. No foreign keys: a link to a
-- location missing from locatie must be storable.
create table if not exists locatie_art (
    locatie varchar(10)  not null,
    articol varchar(200) not null,
    primary key (locatie, articol)
);

-- (articol, locatie): the locations of given articles come from the index alone
create index if not exists locatie_art_articol_idx on locatie_art (articol, locatie);

-- ---------------------------------------------------------------------------
-- Documents and scans
-- ---------------------------------------------------------------------------

-- Document headers, keyed by (data_doc, tip_doc, nr_doc). The client sets
-- data_listare when a document is marked printed and data_sf_scanare when
-- its scanning is ended.
create table if not exists doc (
    data_doc             date        not null,
    tip_doc              varchar(7)  not null,
    nr_doc               varchar(15) not null,
    tip_doc_fel          varchar(15),
    magazie_sursa        varchar(5),
    magazie_dest         varchar(5),
    partener             varchar(100),
    partener_punct_lucru varchar(50),
    eu_punct_lucru       varchar(50),
    data_stoc            timestamp,
    data_listare         timestamp,
    data_anulare         timestamp,
    data_sf_scanare      timestamp,
    data_doc_sursa       date,
    tip_doc_sursa        varchar(7),
    nr_doc_sursa         varchar(15),
    se_opreste_scanarea  boolean     not null default false,
    primary key (data_doc, tip_doc, nr_doc)
);

-- Document lines: the expected quantity of each article. No foreign keys:
-- a line whose article is missing from articol must be storable.
create table if not exists doc_poz (
    id       bigserial        primary key,
    data_doc date             not null,
    tip_doc  varchar(7)       not null,
    nr_doc   varchar(15)      not null,
    articol  varchar(200),
    cant     double precision not null default 0
);

create index if not exists doc_poz_doc_idx on doc_poz (data_doc, tip_doc, nr_doc);

-- Scanned goods, one row per scan. The client never supplies id_tranz; the
-- server fills it. No foreign keys: a scan of any barcode is stored.
create sequence if not exists doc_poz_marfa_tm_id_tranz_seq;

create table if not exists doc_poz_marfa_tm (
    id_tranz    varchar(30)      not null primary key
                default ('T' || nextval('doc_poz_marfa_tm_id_tranz_seq')),
    data_doc    date             not null,
    tip_doc     varchar(7)       not null,
    nr_doc      varchar(15)      not null,
    cod_bare    varchar(48)      not null,
    cant        double precision not null,
    emitent     varchar(100)     not null,
    id_terminal varchar(50)
);

alter sequence doc_poz_marfa_tm_id_tranz_seq owned by doc_poz_marfa_tm.id_tranz;

create index if not exists doc_poz_marfa_tm_doc_idx
    on doc_poz_marfa_tm (data_doc, tip_doc, nr_doc);

-- Whether a document may be listed; named by a client query that no screen
-- opens. Ours: true when the document exists and has been marked printed.
create or replace function o_cl_doc_verif_list(p_data_doc date,
                                               p_tip_doc  text,
                                               p_nr_doc   text)
returns boolean
language sql
stable
as $$
    select exists (
        select 1
        from doc
        where data_doc = p_data_doc
          and tip_doc  = p_tip_doc
          and nr_doc   = p_nr_doc
          and data_listare is not null
    );
$$;

-- Documents waiting to be scanned; the client filters it by work point and
-- reads se_opreste_scanarea from it. Ours: a document waits while it is not
-- cancelled, not yet printed and its scanning was not ended.
-- nr_poz_stocabile counts the document's lines of stock-keeping articles.
create or replace view view_doc_de_scanat_kt as
select d.data_doc,
       d.tip_doc,
       d.nr_doc,
       d.tip_doc_fel,
       d.magazie_sursa,
       d.magazie_dest,
       d.partener,
       d.partener_punct_lucru,
       d.data_stoc,
       d.data_listare,
       d.data_anulare,
       d.eu_punct_lucru,
       (select count(*)
        from doc_poz p
             join articol a on a.articol = p.articol
        where p.data_doc = d.data_doc
          and p.tip_doc  = d.tip_doc
          and p.nr_doc   = d.nr_doc
          and a.da_nu_stocabil) as nr_poz_stocabile,
       d.data_doc_sursa,
       d.tip_doc_sursa,
       d.nr_doc_sursa,
       d.se_opreste_scanarea
from doc d
where d.data_anulare is null
  and d.data_listare is null
  and d.data_sf_scanare is null;
